// The output-file check exporters make before their job starts.

#include <gtest/gtest.h>

#include <filesystem>

#include "plugframe/output_path.h"
#include "temp_dir.h"

namespace fs = std::filesystem;
using kestrel::test::CurrentDirScope;
using kestrel::test::TempDir;

namespace {

TEST(OutputPath, FolderIsTakenBeforeTheLastSlashOrElseBackslash)
{
    EXPECT_EQ(OutputFolderOf("/a/b/out.stl"), "/a/b");
    EXPECT_EQ(OutputFolderOf("a\\b/c\\out.stl"), "a\\b");
    EXPECT_EQ(OutputFolderOf("a\\b\\out.stl"), "a\\b");
    EXPECT_EQ(OutputFolderOf("out.stl"), "");
    EXPECT_EQ(OutputFolderOf("/out.stl"), "/");
}

TEST(OutputPath, EmptyNameAsksForAFile)
{
    EXPECT_EQ(PrepareOutputPath(""), OutputPathCheck::Empty);
    EXPECT_STREQ(OutputPathMessage(OutputPathCheck::Empty), "Please define the output file!");
    EXPECT_STREQ(OutputPathMessage(OutputPathCheck::InvalidPath), "Invalid output path!");
    EXPECT_EQ(OutputPathMessage(OutputPathCheck::Ok), nullptr);
}

TEST(OutputPath, ExistingFolderBecomesCurrent)
{
    TempDir dir;
    fs::create_directory(dir.Path() / "out");
    CurrentDirScope keep(fs::current_path());
    EXPECT_EQ(PrepareOutputPath((dir.Path() / "out" / "model.stl").string()), OutputPathCheck::Ok);
    EXPECT_EQ(fs::current_path(), fs::canonical(dir.Path() / "out"));
}

TEST(OutputPath, MissingFolderIsInvalidAndLeavesTheCurrentFolder)
{
    TempDir dir;
    CurrentDirScope keep(dir.Path());
    EXPECT_EQ(PrepareOutputPath((dir.Path() / "missing" / "model.stl").string()), OutputPathCheck::InvalidPath);
    EXPECT_EQ(PrepareOutputPath("C:\\models\\model.stl"), OutputPathCheck::InvalidPath);
    EXPECT_EQ(fs::current_path(), fs::canonical(dir.Path()));
}

TEST(OutputPath, BareNameKeepsTheCurrentFolder)
{
    TempDir dir;
    CurrentDirScope keep(dir.Path());
    EXPECT_EQ(PrepareOutputPath("model.stl"), OutputPathCheck::Ok);
    EXPECT_EQ(fs::current_path(), fs::canonical(dir.Path()));
}

} // namespace
