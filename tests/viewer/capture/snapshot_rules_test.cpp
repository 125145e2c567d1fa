#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "nimbus/texture.h"
#include "snapshot_rules.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrel::capture;

TEST(SnapshotRules, WidthsRoundUpToAMultipleOfFour)
{
    EXPECT_EQ(ScreenshotWidth(800), 800);
    EXPECT_EQ(ScreenshotWidth(801), 804);
    EXPECT_EQ(ScreenshotWidth(803), 804);
    EXPECT_EQ(ScreenshotWidth(1), 4);
    EXPECT_EQ(ScreenshotWidth(0), 0);
}

TEST(SnapshotRules, TheFirstFreeNumberIsTakenAndTheLastIsReusedWhenAllAreTaken)
{
    kestrel::test::TempDir dir;
    EXPECT_EQ(NextScreenshotName(dir.Path()), dir.Path() / "scr000.jpg");
    std::ofstream(dir.Path() / "scr000.jpg") << "x";
    std::ofstream(dir.Path() / "scr001.jpg") << "x";
    std::ofstream(dir.Path() / "scr003.jpg") << "x";
    EXPECT_EQ(NextScreenshotName(dir.Path()), dir.Path() / "scr002.jpg");
    for (int n = 0; n <= 999; ++n) {
        char name[16];
        std::snprintf(name, sizeof(name), "scr%03d.jpg", n);
        std::ofstream(dir.Path() / name) << "x";
    }
    EXPECT_EQ(NextScreenshotName(dir.Path()), dir.Path() / "scr999.jpg");
}

TEST(SnapshotRules, TheFolderFallsBackToTheProgramsAndThenToThePictures)
{
    kestrel::test::TempDir stored, program, pictures;
    EXPECT_EQ(ChooseScreenshotFolder(stored.Path(), program.Path(), pictures.Path()).folder, stored.Path());
    EXPECT_FALSE(ChooseScreenshotFolder(stored.Path(), program.Path(), pictures.Path()).storeBack);

    const ScreenshotFolder missing = ChooseScreenshotFolder(stored.Path() / "gone", program.Path(), pictures.Path());
    EXPECT_EQ(missing.folder, program.Path() / "Screenshots");
    EXPECT_TRUE(missing.storeBack);
    EXPECT_TRUE(fs::is_directory(program.Path() / "Screenshots"));
    EXPECT_EQ(ChooseScreenshotFolder({}, program.Path(), pictures.Path()).folder, program.Path() / "Screenshots");

    if (geteuid() != 0) { // permissions do not bind the superuser
        kestrel::test::TempDir installed;
        fs::permissions(installed.Path(), fs::perms::owner_read | fs::perms::owner_exec);
        const ScreenshotFolder fallback = ChooseScreenshotFolder({}, installed.Path(), pictures.Path());
        fs::permissions(installed.Path(), fs::perms::owner_all);
        EXPECT_EQ(fallback.folder, pictures.Path() / "Screenshots");
        EXPECT_TRUE(fallback.storeBack);
    }
}

TEST(SnapshotRules, AScreenshotIsAJpegWidenedByItsLastColumn)
{
    kestrel::test::TempDir dir;
    constexpr int kWidth = 13, kHeight = 8;
    std::vector<uint32_t> pixels(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels[size_t(y * kWidth + x)] = y < kHeight / 2 ? 0xffff0000u : 0xff0000ffu; // red over blue
    const fs::path path = dir.Path() / "scr000.jpg";
    ASSERT_TRUE(SaveScreenshot(pixels, kWidth, kHeight, path));
    CTexture read;
    read.SetFileNameUtf8(path.c_str());
    ASSERT_TRUE(read.LoadFromFile());
    EXPECT_EQ(read.mWidth, 16u);
    EXPECT_EQ(read.mHeight, uint32_t(kHeight));
    // The texture's first row is the picture's bottom: blue; its last is the top: red.
    const uint8_t* bottom = read.mData.data() + 15 * (read.mBpp / 8);
    EXPECT_GT(bottom[2], 200);
    EXPECT_LT(bottom[0], 60);
    const uint8_t* top = read.mData.data() + size_t(kHeight - 1) * 16 * (read.mBpp / 8);
    EXPECT_GT(top[0], 200);
    EXPECT_LT(top[2], 60);

    EXPECT_FALSE(SaveScreenshot(pixels, kWidth, kHeight, dir.Path() / "missing" / "scr000.jpg"));
    EXPECT_FALSE(SaveScreenshot({}, 0, 0, dir.Path() / "empty.jpg"));
    EXPECT_FALSE(fs::exists(dir.Path() / "empty.jpg"));
}

} // namespace
