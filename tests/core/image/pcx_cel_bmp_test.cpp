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

uint32_t U32At(const std::vector<uint8_t>& v, size_t at)
{
    return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 | uint32_t(v[at + 3]) << 24;
}

// ---- PCX ----

struct PcxCase {
    const char* name;
    PcxOptions options;
    uint32_t width;
    uint32_t height;
};

void PrintTo(const PcxCase& c, std::ostream* os) { *os << c.name; }

class PcxVariantTest : public testing::TestWithParam<PcxCase> {};

TEST_P(PcxVariantTest, DecodesToReferencePixels)
{
    const PcxCase& c = GetParam();
    const RefImage ref = MakePattern(c.width, c.height, 24,
                                     c.options.paletted ? PatternColours::kSixteenColours : PatternColours::kFull);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "image.pcx", MakePcx(ref, c.options), tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

INSTANTIATE_TEST_SUITE_P(
    PcxAllKinds, PcxVariantTest,
    testing::Values(PcxCase{"Paletted", {true}, 13, 7},
                    // Small enough that the file is shorter than a palette would be.
                    PcxCase{"ThreePlanesSmallFile", {false}, 13, 7},
                    PcxCase{"ThreePlanesLongRuns", {false}, 200, 3},
                    PcxCase{"PalettedManufacturerNotTen", {true, 0, 1}, 9, 4},
                    PcxCase{"ThreePlanesManufacturerNotTen", {false, 7, 1}, 9, 4},
                    PcxCase{"ManufacturerTenEncodingZero", {true, 10, 0}, 9, 4},
                    PcxCase{"WindowNotAtOrigin", {true, 10, 1, 30, 40}, 6, 5}),
    [](const testing::TestParamInfo<PcxCase>& info) { return std::string(info.param.name); });

TEST(PcxFileTest, RefusesUnsupportedHeaders)
{
    const RefImage ref = MakePattern(6, 4, 24, PatternColours::kSixteenColours);
    TempDir dir;
    CTexture tex;
    std::vector<uint8_t> neither = MakePcx(ref, {true, 0, 0});
    EXPECT_FALSE(LoadBytes(dir, "neither.pcx", neither, tex));
    std::vector<uint8_t> fourBits = MakePcx(ref, {});
    fourBits[3] = 3; // no such depth
    EXPECT_FALSE(LoadBytes(dir, "four.pcx", fourBits, tex));
    std::vector<uint8_t> twoPlanes = MakePcx(ref, {});
    twoPlanes[65] = 2;
    EXPECT_FALSE(LoadBytes(dir, "two.pcx", twoPlanes, tex));
    std::vector<uint8_t> shortLines = MakePcx(ref, {});
    shortLines[66] = 3; // fewer bytes per line than pixels
    shortLines[67] = 0;
    EXPECT_FALSE(LoadBytes(dir, "short.pcx", shortLines, tex));
    EXPECT_TRUE(tex.mData.empty());
}

// ---- CEL ----

class CelSizeTest : public testing::TestWithParam<std::pair<uint32_t, uint32_t>> {};

TEST_P(CelSizeTest, DecodesToReferencePixels)
{
    const RefImage ref = MakePattern(GetParam().first, GetParam().second, 24, PatternColours::kSixteenColours);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "image.cel", MakeCel(ref), tex));
    EXPECT_TRUE(SameImage(tex, ref));
    CTexture pic;
    ASSERT_TRUE(LoadBytes(dir, "image.pic", MakeCel(ref), pic));
    EXPECT_TRUE(SameImage(pic, ref));
}

INSTANTIATE_TEST_SUITE_P(CelSizes, CelSizeTest,
                         testing::Values(std::pair<uint32_t, uint32_t>{1, 1}, std::pair<uint32_t, uint32_t>{11, 6},
                                         std::pair<uint32_t, uint32_t>{4, 9}));

TEST(CelFileTest, PaletteComponentsAreMultipliedByFour)
{
    RefImage ref;
    ref.width = 1;
    ref.height = 1;
    ref.pixels = {252, 128, 4};
    const std::vector<uint8_t> file = MakeCel(ref);
    EXPECT_EQ(file[32], 63); // stored as 6-bit components
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "one.cel", file, tex));
    EXPECT_EQ(tex.mData, (std::vector<uint8_t>{252, 128, 4}));
}

TEST(CelFileTest, RefusesWrongMagicDepthOrCompression)
{
    const RefImage ref = MakePattern(4, 3, 24, PatternColours::kSixteenColours);
    TempDir dir;
    CTexture tex;
    for (size_t at : {size_t(0), size_t(10), size_t(11)}) {
        std::vector<uint8_t> file = MakeCel(ref);
        file[at] ^= 0x01;
        EXPECT_FALSE(LoadBytes(dir, "bad.cel", file, tex)) << "byte " << at;
    }
}

// ---- BMP ----

struct BmpCase {
    const char* name;
    BmpOptions options;
    uint32_t width;
    uint32_t height;
    PatternColours colours;
};

void PrintTo(const BmpCase& c, std::ostream* os) { *os << c.name; }

class BmpVariantTest : public testing::TestWithParam<BmpCase> {};

TEST_P(BmpVariantTest, DecodesToReferencePixels)
{
    const BmpCase& c = GetParam();
    const RefImage ref = MakePattern(c.width, c.height, 24, c.colours);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "image.bmp", MakeBmp(ref, c.options), tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

INSTANTIATE_TEST_SUITE_P(
    BmpAllDepths, BmpVariantTest,
    testing::Values(BmpCase{"Rgb24OddWidthPadded", {24}, 5, 3, PatternColours::kFull},
                    BmpCase{"Rgb24TopFirst", {24, true}, 7, 4, PatternColours::kFull},
                    BmpCase{"Rgb32", {32}, 5, 3, PatternColours::kFull},
                    BmpCase{"Rgb32TopFirst", {32, true}, 5, 3, PatternColours::kFull},
                    BmpCase{"Paletted8", {8}, 9, 5, PatternColours::kSixteenColours},
                    BmpCase{"Paletted8TopFirst", {8, true}, 9, 5, PatternColours::kSixteenColours},
                    BmpCase{"Paletted4OddWidth", {4}, 11, 5, PatternColours::kSixteenColours},
                    BmpCase{"Paletted1", {1}, 37, 4, PatternColours::kTwoColours}),
    [](const testing::TestParamInfo<BmpCase>& info) { return std::string(info.param.name); });

TEST(BmpFileTest, DibExtensionLoads)
{
    const RefImage ref = MakePattern(3, 3, 24, PatternColours::kFull);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "image.dib", MakeBmp(ref, {}), tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

TEST(BmpFileTest, BitfieldMasksSelectTheChannels)
{
    const RefImage ref = MakePattern(4, 2, 24, PatternColours::kFull);
    std::vector<uint8_t> file = MakeBmp(ref, {32});
    // Compression 3 with red in the low byte and blue in the third: red and blue come out exchanged.
    file[30] = 3;
    const std::vector<uint8_t> masks{0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0};
    file.insert(file.begin() + 54, masks.begin(), masks.end());
    file[10] = 54 + 12;
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "fields.bmp", file, tex));
    RefImage swapped = ref;
    for (size_t i = 0; i < swapped.pixels.size(); i += 3)
        std::swap(swapped.pixels[i], swapped.pixels[i + 2]);
    EXPECT_TRUE(SameImage(tex, swapped));
}

TEST(BmpFileTest, RefusesRunLengthCompressionOfAnotherDepth)
{
    const RefImage ref = MakePattern(4, 2, 24, PatternColours::kSixteenColours);
    std::vector<uint8_t> file = MakeBmp(ref, {4});
    file[30] = 1; // RLE8 is for 8-bit images only
    TempDir dir;
    CTexture tex;
    EXPECT_FALSE(LoadBytes(dir, "rle.bmp", file, tex));
}

class BmpSaveTest : public testing::TestWithParam<uint8_t> {};

TEST_P(BmpSaveTest, RoundTripIsExactAndRowsArePadded)
{
    const RefImage ref = MakePattern(5, 3, GetParam(), PatternColours::kFull);
    CTexture tex;
    tex.mWidth = ref.width;
    tex.mHeight = ref.height;
    tex.mBpp = ref.bpp;
    tex.mData = ref.pixels;
    TempDir dir;
    ASSERT_TRUE(tex.SaveToFile(dir.File("saved.bmp").c_str(), SK_TEX_BMP));
    const std::vector<uint8_t> file = ReadAll(dir.File("saved.bmp"));
    const size_t stride = 16; // 5 pixels x 3 bytes, padded to 4
    ASSERT_EQ(file.size(), 54 + stride * 3);
    EXPECT_EQ(U32At(file, 2), file.size());
    EXPECT_EQ(U32At(file, 10), 54u);
    EXPECT_EQ(U32At(file, 14), 40u);
    EXPECT_EQ(file[28], 24);
    EXPECT_EQ(U32At(file, 30), 0u);
    EXPECT_EQ(file[54 + 15], 0); // padding byte
    EXPECT_EQ(file[54], ref.pixels[2]);

    // 32-bit images lose their alpha.
    RefImage rgb = MakePattern(5, 3, 24, PatternColours::kFull);
    CTexture back;
    back.SetFileNameUtf8(dir.File("saved.bmp").c_str());
    ASSERT_TRUE(back.LoadFromFile());
    EXPECT_TRUE(SameImage(back, rgb));
}

INSTANTIATE_TEST_SUITE_P(BmpDepths, BmpSaveTest, testing::Values(24, 32));

class BmpSaveUnsupportedTypeTest : public testing::TestWithParam<ESkTexType> {};

TEST_P(BmpSaveUnsupportedTypeTest, ReturnsFalseAndCreatesNoFile)
{
    const RefImage ref = MakePattern(4, 4, 24, PatternColours::kFull);
    CTexture tex;
    tex.mWidth = ref.width;
    tex.mHeight = ref.height;
    tex.mBpp = ref.bpp;
    tex.mData = ref.pixels;
    TempDir dir;
    EXPECT_FALSE(tex.SaveToFile(dir.File("out.img").c_str(), GetParam()));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

INSTANTIATE_TEST_SUITE_P(BmpPcxAndCel, BmpSaveUnsupportedTypeTest, testing::Values(SK_TEX_PCX, SK_TEX_CEL));

TEST(BmpSaveFailureTest, EmptyImageLeavesExistingTargetUntouched)
{
    TempDir dir;
    const std::vector<uint8_t> previous{'B', 'M', 1, 2, 3};
    WriteBytes(dir.File("keep.bmp"), previous);
    CTexture empty;
    EXPECT_FALSE(empty.SaveToFile(dir.File("keep.bmp").c_str(), SK_TEX_BMP));
    EXPECT_FALSE(empty.SaveToFile(dir.File("keep.bmp").c_str(), SK_TEX_TGA));
    EXPECT_EQ(ReadAll(dir.File("keep.bmp")), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

} // namespace
