#include <gtest/gtest.h>

#include <QDirIterator>
#include <filesystem>
#include <fstream>

#include "file_operations.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrel::browser;

void Write(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(FileOperations, RenameNeverReplacesAnotherFile)
{
    kestrel::test::TempDir dir;
    Write(dir.Path() / "a.stl", "A");
    Write(dir.Path() / "b.stl", "B");
    const FileOutcome taken = RenameFile(dir.Path().string(), "a.stl", "b.stl");
    EXPECT_FALSE(taken.ok);
    EXPECT_NE(taken.message.find("exists"), std::string::npos);
    EXPECT_EQ(Read(dir.Path() / "b.stl"), "B");
    EXPECT_FALSE(RenameFile(dir.Path().string(), "a.stl", "sub/c.stl").ok);
    EXPECT_FALSE(RenameFile(dir.Path().string(), "a.stl", "..").ok);
    EXPECT_FALSE(RenameFile(dir.Path().string(), "missing.stl", "d.stl").ok);

    const FileOutcome renamed = RenameFile(dir.Path().string(), "a.stl", "c.stl");
    EXPECT_TRUE(renamed.ok);
    EXPECT_EQ(renamed.name, "c.stl");
    EXPECT_EQ(Read(dir.Path() / "c.stl"), "A");
    EXPECT_FALSE(fs::exists(dir.Path() / "a.stl"));
}

TEST(FileOperations, PasteBesideANamesakeTakesTheNextFreeNumber)
{
    kestrel::test::TempDir source, target;
    Write(source.Path() / "crate.3ds", "new");
    Write(source.Path() / "other.tga", "tga");
    Write(target.Path() / "crate.3ds", "old");
    Write(target.Path() / "crate (2).3ds", "older");
    const std::vector<FileOutcome> outcomes = CopyFilesInto(
        target.Path().string(), {(source.Path() / "crate.3ds").string(), (source.Path() / "other.tga").string(),
                                 (source.Path() / "missing.stl").string(), source.Path().string()});
    ASSERT_EQ(outcomes.size(), 4u);
    EXPECT_TRUE(outcomes[0].ok);
    EXPECT_EQ(outcomes[0].name, "crate (3).3ds");
    EXPECT_EQ(Read(target.Path() / "crate (3).3ds"), "new");
    EXPECT_EQ(Read(target.Path() / "crate.3ds"), "old");
    EXPECT_TRUE(outcomes[1].ok);
    EXPECT_EQ(Read(target.Path() / "other.tga"), "tga");
    EXPECT_FALSE(outcomes[2].ok);
    EXPECT_FALSE(outcomes[3].ok); // a folder is not pasted as a file
    // Nothing half-copied is left behind.
    for (const auto& entry : fs::directory_iterator(target.Path()))
        EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path();
}

TEST(FileOperations, PasteIntoAFolderThatCannotBeWrittenReportsIt)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    kestrel::test::TempDir source, target;
    Write(source.Path() / "a.stl", "A");
    fs::permissions(target.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const std::vector<FileOutcome> outcomes = CopyFilesInto(target.Path().string(), {(source.Path() / "a.stl").string()});
    fs::permissions(target.Path(), fs::perms::owner_all);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].ok);
    EXPECT_NE(outcomes[0].message.find("Cannot paste"), std::string::npos);
}

TEST(FileOperations, DeleteMovesTheFileToTheTrash)
{
    kestrel::test::TempDir dir;
    Write(dir.Path() / "doomed.off", "OFF");
    const FileOutcome outcome = MoveFileToTrash((dir.Path() / "doomed.off").string());
    ASSERT_TRUE(outcome.ok) << outcome.message;
    EXPECT_FALSE(fs::exists(dir.Path() / "doomed.off"));
    // The trash lies under the test's home.
    bool found = false;
    QDirIterator it(qEnvironmentVariable("HOME"), {"doomed.off"}, QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found = found || it.next().contains("Trash");
    EXPECT_TRUE(found);
    EXPECT_FALSE(MoveFileToTrash((dir.Path() / "doomed.off").string()).ok);
}

} // namespace
