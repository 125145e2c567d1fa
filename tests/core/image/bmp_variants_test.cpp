#include <gtest/gtest.h>

#include "bmp_variant_fixtures.h"
#include "image/codecs.h"
#include "image_checks.h"
#include "image_fixtures.h"
#include "nimbus/texture.h"
#include "prefix_walk.h"
#include "temp_dir.h"

using namespace kestrel::test;

namespace {

using C = BmpCompression;

struct BmpVariant {
    const char* name;
    BmpVariantOptions options;
    PatternColours colours;
    uint8_t bpp; // of the image written and decoded
    uint32_t width = 13;
    uint32_t height = 7;
};

void PrintTo(const BmpVariant& c, std::ostream* os) { *os << c.name; }

BmpVariantOptions Paletted(uint16_t bits, uint32_t header, C compression = C::kNone, bool deltas = false)
{
    BmpVariantOptions o;
    o.bitCount = bits;
    o.headerSize = header;
    o.compression = compression;
    o.rleDeltas = deltas;
    return o;
}

BmpVariantOptions Masked(uint16_t bits, uint32_t header, C compression, uint32_t r, uint32_t g, uint32_t b, uint32_t a)
{
    BmpVariantOptions o;
    o.bitCount = bits;
    o.headerSize = header;
    o.compression = compression;
    o.masks[0] = r, o.masks[1] = g, o.masks[2] = b, o.masks[3] = a;
    return o;
}

BmpVariantOptions WithoutFileHeader(BmpVariantOptions o)
{
    o.fileHeader = false;
    return o;
}

const BmpVariant kVariants[] = {
    {"Rle8", Paletted(8, 40, C::kRle8), PatternColours::kSixteenColours, 24},
    {"Rle8Deltas", Paletted(8, 40, C::kRle8, true), PatternColours::kSixteenColours, 24},
    {"Rle8LongRuns", Paletted(8, 40, C::kRle8, true), PatternColours::kSixteenColours, 24, 700, 3},
    {"Rle4", Paletted(4, 40, C::kRle4), PatternColours::kSixteenColours, 24},
    {"Rle4Deltas", Paletted(4, 40, C::kRle4, true), PatternColours::kSixteenColours, 24},
    {"Rle4OddWidth", Paletted(4, 40, C::kRle4), PatternColours::kSixteenColours, 24, 9, 4},
    {"Os2v1Paletted8", Paletted(8, 12), PatternColours::kSixteenColours, 24},
    {"Os2v1Rgb24", Paletted(24, 12), PatternColours::kFull, 24},
    {"Os2v2Paletted4", Paletted(4, 64), PatternColours::kSixteenColours, 24},
    {"Os2v2ShortHeader8", Paletted(8, 16), PatternColours::kSixteenColours, 24},
    {"Os2v2Rle8", Paletted(8, 64, C::kRle8), PatternColours::kSixteenColours, 24},
    {"Palette1", Paletted(1, 40), PatternColours::kTwoColours, 24},
    {"Palette2", Paletted(2, 40), PatternColours::kFourColours, 24},
    {"Palette4", Paletted(4, 124), PatternColours::kSixteenColours, 24},
    {"V5Bitfields32Alpha", Masked(32, 124, C::kBitfields, 0xFF0000, 0xFF00, 0xFF, 0xFF000000), PatternColours::kFull, 32},
    {"V4Bitfields32AlphaLow", Masked(32, 108, C::kBitfields, 0xFF000000, 0xFF0000, 0xFF00, 0xFF), PatternColours::kFull, 32},
    {"AlphaBitfields16", Masked(16, 40, C::kAlphaBitfields, 0x0F00, 0x00F0, 0x000F, 0xF000), PatternColours::kFourBit, 32},
    {"Bitfields16NoAlpha", Masked(16, 40, C::kBitfields, 0xF00, 0xF0, 0xF, 0), PatternColours::kFourBit, 24},
    {"DibPaletted8", WithoutFileHeader(Paletted(8, 40)), PatternColours::kSixteenColours, 24},
    {"DibRgb24", WithoutFileHeader(Paletted(24, 40)), PatternColours::kFull, 24},
    {"DibRle4", WithoutFileHeader(Paletted(4, 40, C::kRle4, true)), PatternColours::kSixteenColours, 24},
    {"DibV5Alpha", WithoutFileHeader(Masked(32, 124, C::kBitfields, 0xFF0000, 0xFF00, 0xFF, 0xFF000000)),
     PatternColours::kFull, 32},
    {"DibOs2v1", WithoutFileHeader(Paletted(4, 12)), PatternColours::kSixteenColours, 24},
};

class BmpMoreVariantsTest : public testing::TestWithParam<BmpVariant> {};

TEST_P(BmpMoreVariantsTest, DecodesToTheImageWritten)
{
    const BmpVariant& c = GetParam();
    const RefImage ref = MakePattern(c.width, c.height, c.bpp, c.colours);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, c.options.fileHeader ? "image.bmp" : "image.dib", MakeBmpVariant(ref, c.options), tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

TEST_P(BmpMoreVariantsTest, EveryPrefixIsRefusedSafely)
{
    const BmpVariant& c = GetParam();
    const std::vector<uint8_t> file = MakeBmpVariant(MakePattern(c.width, c.height, c.bpp, c.colours), c.options);
    // The padding after the last row is not needed; run-length data needs its end code.
    if (c.options.compression == C::kRle8 || c.options.compression == C::kRle4)
        ExpectPrefixesRefused(file, nimbus::image::DecodeBmp);
    else
        ExpectPrefixesSafe(file, nimbus::image::DecodeBmp);
}

INSTANTIATE_TEST_SUITE_P(BmpVariants, BmpMoreVariantsTest, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<BmpVariant>& info) { return std::string(info.param.name); });

// A 4 x 2 RLE8 image with a two-colour palette, followed by the given run-length data.
std::vector<uint8_t> TinyRle8(const std::vector<uint8_t>& rle)
{
    RefImage blank = MakePattern(4, 2, 24, PatternColours::kTwoColours);
    std::vector<uint8_t> file = MakeBmpVariant(blank, Paletted(8, 40, C::kRle8));
    const size_t pixels = file[10] | file[11] << 8;
    file.resize(pixels);
    file.insert(file.end(), rle.begin(), rle.end());
    return file;
}

TEST(BmpRleEdgeTest, RunsAndDeltasLeavingTheImageAreCut)
{
    SkDecodedImage out;
    // A run of 200 pixels in a 4-pixel row, then a delta far below the last row.
    const std::vector<uint8_t> file = TinyRle8({200, 1, 0, 2, 250, 250});
    ASSERT_TRUE(nimbus::image::DecodeBmp(file.data(), file.size(), out));
    ASSERT_EQ(out.pixels.size(), 4u * 2 * 3);
    const uint8_t* one = file.data() + 54 + 4; // palette entry 1, blue first
    const uint8_t* zero = file.data() + 54;
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(out.pixels[size_t(x) * 3], one[2]) << x;
        EXPECT_EQ(out.pixels[size_t(4 + x) * 3], zero[2]) << "the skipped row keeps index 0";
    }
}

TEST(BmpRleEdgeTest, AbsoluteRunPastTheRowAndEarlyEndOfBitmap)
{
    SkDecodedImage out;
    // An absolute run of 5 (one past the edge, padded), then the end of the bitmap at once.
    const std::vector<uint8_t> file = TinyRle8({0, 5, 1, 0, 1, 0, 1, 0, 0, 1});
    ASSERT_TRUE(nimbus::image::DecodeBmp(file.data(), file.size(), out));
    EXPECT_EQ(out.width, 4u);
}

TEST(BmpRleEdgeTest, IndexOutsideThePaletteAndMissingEndAreRefused)
{
    SkDecodedImage out;
    const std::vector<uint8_t> outside = TinyRle8({2, 7, 0, 1});
    EXPECT_FALSE(nimbus::image::DecodeBmp(outside.data(), outside.size(), out));
    const std::vector<uint8_t> open = TinyRle8({4, 1, 0, 0, 4, 0});
    EXPECT_FALSE(nimbus::image::DecodeBmp(open.data(), open.size(), out));
    // A run-length image stored top row first does not exist.
    std::vector<uint8_t> topFirst = TinyRle8({0, 1});
    topFirst[22] = 0xFE, topFirst[23] = topFirst[24] = topFirst[25] = 0xFF;
    EXPECT_FALSE(nimbus::image::DecodeBmp(topFirst.data(), topFirst.size(), out));
}

TEST(BmpBitfieldTest, AllZeroAlphaMeansOpaque)
{
    RefImage ref = MakePattern(5, 3, 32, PatternColours::kFull);
    for (size_t i = 3; i < ref.pixels.size(); i += 4)
        ref.pixels[i] = 0;
    const std::vector<uint8_t> file =
        MakeBmpVariant(ref, Masked(32, 124, C::kBitfields, 0xFF0000, 0xFF00, 0xFF, 0xFF000000));
    for (size_t i = 3; i < ref.pixels.size(); i += 4)
        ref.pixels[i] = 255;
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "clear.bmp", file, tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

TEST(BmpBitfieldTest, Os2HuffmanAndRle24AreRefused)
{
    const RefImage ref = MakePattern(4, 4, 24, PatternColours::kFull);
    std::vector<uint8_t> file = MakeBmpVariant(ref, Paletted(24, 64));
    TempDir dir;
    CTexture tex;
    for (uint8_t compression : {3, 4}) {
        file[30] = compression;
        EXPECT_FALSE(LoadBytes(dir, "os2.bmp", file, tex)) << int(compression);
    }
}

} // namespace
