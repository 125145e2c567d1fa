#include <gtest/gtest.h>

#include "image/codecs.h"
#include "image_checks.h"
#include "image_fixtures.h"
#include "nimbus/texture.h"
#include "prefix_walk.h"
#include "temp_dir.h"

using namespace kestrel::test;

namespace {

struct PcxVariant {
    const char* name;
    PcxLowColourOptions options;
    PatternColours colours;
    uint32_t width = 13;
    uint32_t height = 7;
};

void PrintTo(const PcxVariant& c, std::ostream* os) { *os << c.name; }

const PcxVariant kVariants[] = {
    {"OneBit", {1, 1}, PatternColours::kTwoColours},
    {"OneBitWide", {1, 1}, PatternColours::kTwoColours, 203, 3},
    {"TwoBit", {2, 1}, PatternColours::kFourColours},
    {"FourBitOnePlane", {4, 1}, PatternColours::kSixteenColours},
    {"FourPlanes", {1, 4}, PatternColours::kSixteenColours},
    {"FourPlanesOddWidth", {1, 4}, PatternColours::kSixteenColours, 9, 5},
    {"TwoPlanes", {1, 2}, PatternColours::kFourColours},
};

class PcxLowColourTest : public testing::TestWithParam<PcxVariant> {};

TEST_P(PcxLowColourTest, DecodesToTheImageWritten)
{
    const PcxVariant& c = GetParam();
    const RefImage ref = MakePattern(c.width, c.height, 24, c.colours);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "image.pcx", MakePcxLowColour(ref, c.options), tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

TEST_P(PcxLowColourTest, EveryPrefixIsRefusedSafely)
{
    const PcxVariant& c = GetParam();
    ExpectPrefixesRefused(MakePcxLowColour(MakePattern(c.width, c.height, 24, c.colours), c.options),
                          nimbus::image::DecodePcx);
}

INSTANTIATE_TEST_SUITE_P(PcxVariants, PcxLowColourTest, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<PcxVariant>& info) { return std::string(info.param.name); });

TEST(PcxMonochromeTest, EmptyHeaderPaletteIsBlackAndWhite)
{
    const RefImage ref = MakePattern(6, 4, 24, PatternColours::kTwoColours);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "mono.pcx", MakePcxLowColour(ref, {1, 1, true}), tex));
    // The first colour met became index 0 (black), the other index 1 (white).
    for (size_t i = 0; i < size_t(6) * 4; ++i) {
        const bool first = std::equal(ref.pixels.begin() + long(i * 3), ref.pixels.begin() + long(i * 3 + 3), ref.pixels.begin());
        EXPECT_EQ(tex.mData[i * 3], first ? 0 : 255) << i;
    }
}

TEST(PcxMonochromeTest, RefusesMoreThanSixteenColoursOfPlanarBitsAndShortLines)
{
    const RefImage ref = MakePattern(6, 4, 24, PatternColours::kSixteenColours);
    std::vector<uint8_t> file = MakePcxLowColour(ref, {1, 4});
    TempDir dir;
    CTexture tex;
    file[65] = 5; // five 1-bit planes
    EXPECT_FALSE(LoadBytes(dir, "p.pcx", file, tex));
    file[65] = 4;
    file[3] = 2; // two bits in four planes
    EXPECT_FALSE(LoadBytes(dir, "p.pcx", file, tex));
    file[3] = 4;
    file[65] = 1;
    file[66] = 2; // 6 pixels of 4 bits need 3 bytes a line
    EXPECT_FALSE(LoadBytes(dir, "p.pcx", file, tex));
}

} // namespace
