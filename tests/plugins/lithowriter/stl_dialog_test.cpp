// The STL export dialog: its initial state, the file dialog, and OK with good and bad
// output files.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>
#include <fstream>

#include "stl_options_dialog.h"
#include "temp_dir.h"
#include "tool_dialog_support.h"
#include "tool_models.h"

namespace fs = std::filesystem;
using namespace kestrel::test;

namespace {

TEST(StlDialog, StartsWithBinaryAndAnEmptyName)
{
    ToolRecord record;
    CStlOptionsDlg dialog(&record.model);
    EXPECT_EQ(dialog.windowTitle(), "Stereo Litography Export");
    EXPECT_TRUE(dialog.BinaryRadio()->isChecked());
    EXPECT_FALSE(dialog.AsciiRadio()->isChecked());
    EXPECT_EQ(dialog.BinaryRadio()->text(), "Export to &binary file format");
    EXPECT_EQ(dialog.AsciiRadio()->text(), "Export to &ASCII file format");
    EXPECT_TRUE(dialog.FileName()->text().isEmpty());

    FileDialogAnswer answer("/tmp/chosen.stl");
    dialog.BrowseButton()->click();
    EXPECT_EQ(dialog.FileName()->text(), "/tmp/chosen.stl");
    EXPECT_TRUE(answer.last.save);
    EXPECT_EQ(answer.last.defaultSuffix, "stl");
    EXPECT_EQ(kestrel::toolkit::QtFilterFromPairs(answer.last.filter),
              "Stereo Litography Files (*.stl *.stla *.stlb);;All Files (*)");
}

TEST(StlDialog, OkWritesTheChosenFormAndCloses)
{
    CurrentDirScope keep(fs::current_path());  // OK makes the output folder current
    TempDir dir;
    ToolRecord record;
    AddCube(&record.model);
    CStlOptionsDlg dialog(&record.model);
    dialog.FileName()->setText(QString::fromStdString(dir.File("cube.stl")));
    dialog.AsciiRadio()->setChecked(true);
    const OkOutcome outcome = ExecAndPressOk(dialog);
    EXPECT_EQ(outcome.result, QDialog::Accepted);
    std::ifstream in(dir.File("cube.stl"));
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "solid Object (Created with Kestrel STL Export Plug-In v1.1)");
}

TEST(StlDialog, BadOutputFilesWarnAndKeepItOpen)
{
    CurrentDirScope keep(fs::current_path());
    TempDir dir;
    ToolRecord record;
    MessageRecorder messages;
    CStlOptionsDlg dialog(&record.model);
    OkOutcome outcome = ExecAndPressOk(dialog);
    EXPECT_TRUE(outcome.stayedOpen);
    EXPECT_EQ(messages.Warnings(), QStringList{"Please define the output file!"});

    dialog.FileName()->setText(QString::fromStdString(dir.File("missing/out.stl")));
    outcome = ExecAndPressOk(dialog);
    EXPECT_TRUE(outcome.stayedOpen);
    EXPECT_EQ(messages.Warnings().last(), "Invalid output path!");

    fs::create_directory(dir.File("taken.stl"));
    dialog.FileName()->setText(QString::fromStdString(dir.File("taken.stl")));
    outcome = ExecAndPressOk(dialog);
    EXPECT_TRUE(outcome.stayedOpen);
    EXPECT_EQ(messages.errors, QStringList{"Error writing file!"});
    EXPECT_EQ(outcome.focus, dialog.FileName());
}

} // namespace
