// The data dump in its progress dialog: a written file, and a file that cannot be.

#include <gtest/gtest.h>

#include <filesystem>

#include "dump_runner.h"
#include "temp_dir.h"
#include "tool_dialog_support.h"
#include "tool_models.h"

namespace fs = std::filesystem;
using namespace kestrel::test;

namespace {

TEST(DumpRunner, WritesTheDumpAndAsksForTheFileFirst)
{
    TempDir dir;
    ToolRecord record;
    AddCube(&record.model);
    MessageRecorder messages;
    EXPECT_EQ(kestrel::datalister::RunDumpWithProgress(&record.model, QString::fromStdString(dir.File("a.log"))),
              QDialog::Accepted);
    EXPECT_GT(fs::file_size(dir.File("a.log")), 1000u);
    EXPECT_TRUE(messages.errors.isEmpty());

    FileDialogAnswer cancelled("");
    EXPECT_FALSE(kestrel::datalister::AskAndDump(&record.model));
    EXPECT_EQ(cancelled.last.defaultSuffix, "log");
    EXPECT_EQ(cancelled.last.filter, "Text Log (*.log)|*.log|All Files (*.*)|*.*||");
}

TEST(DumpRunner, UnwritableFileShowsTheErrorAndCancels)
{
    TempDir dir;
    ToolRecord record;
    MessageRecorder messages;
    EXPECT_EQ(kestrel::datalister::RunDumpWithProgress(&record.model, QString::fromStdString(dir.File("no/a.log"))),
              QDialog::Rejected);
    EXPECT_EQ(messages.errors, QStringList{"Error writing file!"});
}

} // namespace
