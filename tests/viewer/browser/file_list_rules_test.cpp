#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "file_list_rules.h"
#include "start_folder.h"
#include "temp_dir.h"

namespace {

using namespace kestrel::browser;

void Touch(const kestrel::test::TempDir& dir, const std::string& name, size_t bytes)
{
    std::ofstream(dir.File(name), std::ios::binary) << std::string(bytes, 'x');
}

TEST(FileListRules, SizesAreWholeKilobytesRoundedUpFromTheNextByte)
{
    EXPECT_EQ(SizeText(0), "1 KB");
    EXPECT_EQ(SizeText(1023), "1 KB");
    EXPECT_EQ(SizeText(1024), "2 KB");
    EXPECT_EQ(SizeText(10 * 1024 - 1), "10 KB");
    EXPECT_EQ(SizeText(uint64_t(5) << 40), "5368709121 KB"); // no overflow for huge files
}

TEST(FileListRules, OnlyServedFilesAppearOncePerNameWithTheirFirstType)
{
    kestrel::test::TempDir dir;
    Touch(dir, "a.stl", 10);
    Touch(dir, "B.STL", 2000);
    Touch(dir, "x.stla", 5);   // a longer extension is another type
    Touch(dir, "notes.txt", 5);
    Touch(dir, "noext", 5);
    Touch(dir, ".stl", 5);     // a hidden file named only by the extension
    std::filesystem::create_directory(dir.Path() / "folder.stl");
    const std::vector<ListedType> types = {{"STL", "Stereo Lithography"}, {"stl", "Another STL"}, {"PNG", "Picture"}};
    std::vector<FileItem> items = ListFolder(dir.Path().string(), types);
    SortItems(items, {SortKey{kNameColumn, false}});
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, "a.stl");
    EXPECT_EQ(items[0].sizeText, "1 KB");
    EXPECT_EQ(items[0].typeText, "Stereo Lithography");
    EXPECT_EQ(items[0].typeIndex, 0u);
    EXPECT_EQ(items[1].name, "B.STL");
    EXPECT_EQ(items[1].sizeText, "2 KB");
    EXPECT_TRUE(ListFolder(dir.File("missing"), types).empty());
}

TEST(FileListRules, SortingBySizeReadsTheNumbersAndTextIgnoresCase)
{
    std::vector<FileItem> items = {
        {"b.off", "10 KB", "OFF", 0}, {"A.stl", "9 KB", "stl", 0}, {"c.png", "9 KB", "Image", 0}};
    SortItems(items, {SortKey{kSizeColumn, false}, SortKey{kNameColumn, false}});
    EXPECT_EQ(items[0].name, "A.stl");
    EXPECT_EQ(items[1].name, "c.png");
    EXPECT_EQ(items[2].name, "b.off"); // 9 KB before 10 KB
    SortItems(items, {SortKey{kTypeColumn, true}});
    EXPECT_EQ(items[0].typeText, "stl");
    EXPECT_EQ(items[2].typeText, "Image");
    EXPECT_EQ(CompareItems(items[0], items[0], {SortKey{kNameColumn, false}}), 0);
    EXPECT_LT(CompareItems({"abc", "1 KB", "", 0}, {"ABD", "1 KB", "", 0}, {SortKey{kNameColumn, false}}), 0);
}

TEST(FileListRules, NextAndPreviousWrapAround)
{
    EXPECT_EQ(NextItem(2, 3), 0);
    EXPECT_EQ(NextItem(0, 3), 1);
    EXPECT_EQ(PreviousItem(0, 3), 2);
    EXPECT_EQ(PreviousItem(2, 3), 1);
    EXPECT_EQ(NextItem(-1, 3), 0);
    EXPECT_EQ(PreviousItem(-1, 3), 2);
    EXPECT_EQ(NextItem(0, 0), -1);
    EXPECT_EQ(PreviousItem(5, 3), 2); // a stale index after files went away
}

TEST(FileListRules, APastedFileBesideItsNamesakeGetsTheNextFreeNumber)
{
    kestrel::test::TempDir dir;
    EXPECT_EQ(FreeNameIn(dir.Path().string(), "model.stl"), "model.stl");
    Touch(dir, "model.stl", 1);
    EXPECT_EQ(FreeNameIn(dir.Path().string(), "model.stl"), "model (2).stl");
    Touch(dir, "model (2).stl", 1);
    EXPECT_EQ(FreeNameIn(dir.Path().string(), "model.stl"), "model (3).stl");
    Touch(dir, "README", 1);
    EXPECT_EQ(FreeNameIn(dir.Path().string(), "README"), "README (2)");
}

} // namespace

namespace {

TEST(StartFolder, TheLastFolderWhileItExistsElseSamplesBesideTheProgram)
{
    kestrel::test::TempDir dir;
    const std::string program = (dir.Path() / "bin").string();
    std::filesystem::create_directory(program);
    const std::string samples = (dir.Path() / "bin" / "Samples").string();
    EXPECT_EQ(kestrel::browser::StartFolder("", program), samples);
    EXPECT_TRUE(std::filesystem::is_directory(samples)); // made when missing
    EXPECT_EQ(kestrel::browser::StartFolder(dir.Path().string(), program), dir.Path().string());
    EXPECT_EQ(kestrel::browser::StartFolder(dir.File("gone"), program), samples);
    EXPECT_EQ(kestrel::browser::StartFolder("", ""), "");

    EXPECT_EQ(kestrel::browser::ParentFolder("/a/b"), "/a");
    EXPECT_EQ(kestrel::browser::ParentFolder("/a/b/"), "/a");
    EXPECT_EQ(kestrel::browser::ParentFolder("/a"), "/");
    EXPECT_EQ(kestrel::browser::ParentFolder("/"), "");
}

TEST(StartFolder, AnInstalledProgramStartsInItsSharedSamplesUnlessSamplesAreBesideIt)
{
    kestrel::test::TempDir dir;
    const std::filesystem::path bin = dir.Path() / "bin";
    const std::filesystem::path shared = dir.Path() / "share" / "kestrel" / "Samples";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(shared);
    EXPECT_EQ(kestrel::browser::StartFolder("", bin.string()), shared.string());
    EXPECT_FALSE(std::filesystem::exists(bin / "Samples")); // nothing made beside the program

    std::filesystem::create_directory(bin / "Samples");
    EXPECT_EQ(kestrel::browser::StartFolder("", bin.string()), (bin / "Samples").string());
}

} // namespace
