#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "image_checks.h"
#include "image_fixtures.h"
#include "nimbus/texture.h"
#include "temp_dir.h"

using namespace kestrel::test;

namespace {

struct TgaCase {
    const char* name;
    TgaOptions options;
    uint32_t width;
    uint32_t height;
};

void PrintTo(const TgaCase& c, std::ostream* os) { *os << c.name; }

PatternColours ColoursFor(const TgaOptions& o)
{
    if (o.kind == TgaKind::kColourMapped)
        return PatternColours::kSixteenColours;
    if (o.kind == TgaKind::kGrey)
        return PatternColours::kGrey;
    return o.depth == 16 ? PatternColours::kFiveBit : PatternColours::kFull;
}

class TgaVariantTest : public testing::TestWithParam<TgaCase> {};

TEST_P(TgaVariantTest, DecodesToReferencePixels)
{
    const TgaCase& c = GetParam();
    const RefImage ref = MakePattern(c.width, c.height, c.options.depth == 32 ? 32 : 24, ColoursFor(c.options));
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "image.tga", MakeTga(ref, c.options), tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

constexpr TgaKind kMapped = TgaKind::kColourMapped;
constexpr TgaKind kTrue = TgaKind::kTrueColour;
constexpr TgaKind kGrey = TgaKind::kGrey;

INSTANTIATE_TEST_SUITE_P(
    TgaAllTypes, TgaVariantTest,
    testing::Values(TgaCase{"Mapped8Raw", {kMapped, 8, false}, 13, 7},
                    TgaCase{"Mapped8Rle", {kMapped, 8, true}, 13, 7},
                    TgaCase{"Grey8Raw", {kGrey, 8, false}, 13, 7},
                    TgaCase{"Grey8Rle", {kGrey, 8, true}, 13, 7},
                    TgaCase{"True16Raw", {kTrue, 16, false}, 13, 7},
                    TgaCase{"True16Rle", {kTrue, 16, true}, 13, 7},
                    TgaCase{"True24Raw", {kTrue, 24, false}, 13, 7},
                    TgaCase{"True24Rle", {kTrue, 24, true}, 13, 7},
                    TgaCase{"True32Raw", {kTrue, 32, false}, 13, 7},
                    TgaCase{"True32Rle", {kTrue, 32, true}, 13, 7},
                    TgaCase{"True24TopFirst", {kTrue, 24, false, true}, 13, 7},
                    TgaCase{"True24RleRightToLeft", {kTrue, 24, true, false, true}, 13, 7},
                    TgaCase{"True32RleTopFirstRightToLeft", {kTrue, 32, true, true, true}, 13, 7},
                    TgaCase{"Mapped8RleTopFirst", {kMapped, 8, true, true}, 13, 7},
                    TgaCase{"Grey8RawRightToLeft", {kGrey, 8, false, false, true}, 13, 7},
                    // Packets longer than 128 pixels are split; runs cross scan lines.
                    TgaCase{"True24RleWide", {kTrue, 24, true}, 400, 3},
                    TgaCase{"True16RleWithIdField", {kTrue, 16, true, false, false, 9}, 5, 4}),
    [](const testing::TestParamInfo<TgaCase>& info) { return std::string(info.param.name); });

TEST(TgaFileTest, SixteenBitWhiteBecomes248)
{
    // 1 x 1, type 2, 16 bits, then the word 0x7FFF.
    const std::vector<uint8_t> file{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 16, 0, 0xFF, 0x7F};
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "white.tga", file, tex));
    EXPECT_EQ(tex.mBpp, 24);
    EXPECT_EQ(tex.mData, (std::vector<uint8_t>{248, 248, 248}));
}

TEST(TgaFileTest, TopLeftOriginShowsLikeBottomUp)
{
    const RefImage ref = MakePattern(6, 5, 24, PatternColours::kFull);
    TempDir dir;
    CTexture bottomUp, topDown;
    ASSERT_TRUE(LoadBytes(dir, "up.tga", MakeTga(ref, {kTrue, 24, false, false}), bottomUp));
    ASSERT_TRUE(LoadBytes(dir, "down.tga", MakeTga(ref, {kTrue, 24, false, true}), topDown));
    EXPECT_EQ(bottomUp.mData, topDown.mData);
    // The files themselves differ: the first stored row is the bottom one in one, the top in the other.
    EXPECT_NE(MakeTga(ref, {kTrue, 24, false, false}), MakeTga(ref, {kTrue, 24, false, true}));
}

TEST(TgaFileTest, RefusesUnlistedTypeAndDepthPairs)
{
    const RefImage ref = MakePattern(4, 4, 24, PatternColours::kGrey);
    TempDir dir;
    CTexture tex;
    std::vector<uint8_t> grey24 = MakeTga(ref, {kGrey, 8, false});
    grey24[16] = 24; // grey is 8 bits, or 16 with alpha
    EXPECT_FALSE(LoadBytes(dir, "grey24.tga", grey24, tex));
    std::vector<uint8_t> mono = MakeTga(ref, {kGrey, 8, false});
    mono[2] = 32; // compressed colour-mapped (Huffman) is not supported
    EXPECT_FALSE(LoadBytes(dir, "type32.tga", mono, tex));
    const RefImage mappedRef = MakePattern(4, 4, 24, PatternColours::kSixteenColours);
    std::vector<uint8_t> map16 = MakeTga(mappedRef, {kMapped, 8, false});
    map16[7] = 8; // map entries are 15, 16, 24 or 32 bits
    EXPECT_FALSE(LoadBytes(dir, "map8.tga", map16, tex));
    EXPECT_EQ(tex.mWidth, 0u);
    EXPECT_TRUE(tex.mData.empty());
}

TEST(TgaFileTest, TrueColourSkipsAColourMapItCarries)
{
    const RefImage ref = MakePattern(5, 3, 24, PatternColours::kFull);
    std::vector<uint8_t> file = MakeTga(ref, {kTrue, 24, false});
    // Insert a 4-entry 24-bit colour map before the pixels.
    file[1] = 1;
    file[5] = 4;
    file[7] = 24;
    file.insert(file.begin() + 18, 12, 0xAB);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "withmap.tga", file, tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

TEST(TgaLoadPathTest, BareFileNameInCurrentFolderIsFound)
{
    const RefImage ref = MakePattern(3, 2, 24, PatternColours::kFull);
    TempDir dir;
    WriteBytes(dir.File("bare.tga"), MakeTga(ref, {}));
    CurrentDirScope cwd(dir.Path());
    CTexture tex;
    tex.SetFileNameUtf8("/no/such/folder/bare.tga");
    ASSERT_TRUE(tex.LoadFromFile());
    EXPECT_TRUE(SameImage(tex, ref));
    EXPECT_EQ(tex.GetFileNameUtf8(), "/no/such/folder/bare.tga");
}

TEST(TgaLoadPathTest, TifIsRefusedWithoutTouchingTheTexture)
{
    const RefImage ref = MakePattern(3, 2, 24, PatternColours::kFull);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "image.tga", MakeTga(ref, {}), tex));
    WriteBytes(dir.File("image.tif"), MakeTga(ref, {}));
    tex.SetFileNameUtf8(dir.File("image.tif").c_str());
    EXPECT_FALSE(tex.LoadFromFile());
    EXPECT_TRUE(SameImage(tex, ref)); // the earlier image is still there
}

TEST(TgaLoadPathTest, TiffIsRecognisedButFailsAndClears)
{
    const RefImage ref = MakePattern(3, 2, 24, PatternColours::kFull);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "image.tga", MakeTga(ref, {}), tex));
    EXPECT_FALSE(LoadBytes(dir, "image.tiff", MakeTga(ref, {}), tex));
    EXPECT_EQ(tex.mWidth, 0u);
    EXPECT_EQ(tex.mBpp, 0);
    EXPECT_TRUE(tex.mData.empty());
}

TEST(TgaLoadPathTest, UpperCaseExtensionLoads)
{
    const RefImage ref = MakePattern(3, 2, 24, PatternColours::kFull);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "IMAGE.TGA", MakeTga(ref, {}), tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

class TgaSaveTest : public testing::TestWithParam<uint8_t> {};

TEST_P(TgaSaveTest, RoundTripIsExact)
{
    const RefImage ref = MakePattern(7, 5, GetParam(), PatternColours::kFull);
    CTexture tex;
    tex.mWidth = ref.width;
    tex.mHeight = ref.height;
    tex.mBpp = ref.bpp;
    tex.mData = ref.pixels;
    TempDir dir;
    ASSERT_TRUE(tex.SaveToFile(dir.File("saved.tga").c_str(), SK_TEX_TGA));
    const std::vector<uint8_t> file = ReadAll(dir.File("saved.tga"));
    ASSERT_EQ(file.size(), 18 + ref.pixels.size());
    EXPECT_EQ(file[2], 2);
    EXPECT_EQ(file[16], ref.bpp);
    EXPECT_EQ(file[17], 0);
    // Bottom row first, blue before red.
    EXPECT_EQ(file[18], ref.pixels[2]);
    EXPECT_EQ(file[20], ref.pixels[0]);

    CTexture back;
    back.SetFileNameUtf8(dir.File("saved.tga").c_str());
    ASSERT_TRUE(back.LoadFromFile());
    EXPECT_TRUE(SameImage(back, ref));
}

INSTANTIATE_TEST_SUITE_P(TgaDepths, TgaSaveTest, testing::Values(24, 32));

TEST(TgaSaveFailureTest, TooWideImageLeavesTargetUntouched)
{
    // Sizes above 65535 do not fit the header.
    CTexture tex;
    tex.mWidth = 70000;
    tex.mHeight = 1;
    tex.mBpp = 24;
    tex.InitPixelData();
    TempDir dir;
    const std::vector<uint8_t> previous{1, 2, 3, 4};
    WriteBytes(dir.File("keep.tga"), previous);
    EXPECT_FALSE(tex.SaveToFile(dir.File("keep.tga").c_str(), SK_TEX_TGA));
    EXPECT_EQ(ReadAll(dir.File("keep.tga")), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

} // namespace
