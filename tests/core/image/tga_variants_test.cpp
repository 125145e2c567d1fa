#include <gtest/gtest.h>

#include "image/codecs.h"
#include "image_checks.h"
#include "image_fixtures.h"
#include "nimbus/texture.h"
#include "prefix_walk.h"
#include "temp_dir.h"

using namespace kestrel::test;

namespace {

constexpr TgaKind kMapped = TgaKind::kColourMapped;
constexpr TgaKind kTrue = TgaKind::kTrueColour;
constexpr TgaKind kGrey = TgaKind::kGrey;

struct TgaVariant {
    const char* name;
    TgaOptions options;
    uint8_t bpp;             // of the decoded image
    PatternColours colours;
};

void PrintTo(const TgaVariant& c, std::ostream* os) { *os << c.name; }

TgaOptions Mapped(uint8_t depth, bool rle, uint8_t entryBits, uint16_t first)
{
    TgaOptions o{kMapped, depth, rle};
    o.mapEntryBits = entryBits;
    o.mapFirst = first;
    return o;
}

const TgaVariant kVariants[] = {
    {"Map15Raw", Mapped(8, false, 15, 0), 24, PatternColours::kFiveBit},
    {"Map16Rle", Mapped(8, true, 16, 0), 24, PatternColours::kFiveBit},
    {"Map32Raw", Mapped(8, false, 32, 0), 32, PatternColours::kSixteenColours},
    {"Map32Rle", Mapped(8, true, 32, 0), 32, PatternColours::kSixteenColours},
    {"MapFirstIndex5", Mapped(8, false, 24, 5), 24, PatternColours::kSixteenColours},
    {"MapFirstIndex5Rle", Mapped(8, true, 24, 5), 24, PatternColours::kSixteenColours},
    {"Index16Raw", Mapped(16, false, 24, 300), 24, PatternColours::kSixteenColours},
    {"Index16Rle", Mapped(16, true, 32, 0), 32, PatternColours::kSixteenColours},
    {"GreyAlpha16Raw", {kGrey, 16, false}, 32, PatternColours::kGrey},
    {"GreyAlpha16Rle", {kGrey, 16, true}, 32, PatternColours::kGrey},
    {"GreyAlpha16RleTopFirst", {kGrey, 16, true, true}, 32, PatternColours::kGrey},
    {"True15Raw", {kTrue, 15, false}, 24, PatternColours::kFiveBit},
};

class TgaMoreVariantsTest : public testing::TestWithParam<TgaVariant> {};

TEST_P(TgaMoreVariantsTest, DecodesToTheImageWritten)
{
    const TgaVariant& c = GetParam();
    const RefImage ref = MakePattern(13, 7, c.bpp, c.colours);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "image.tga", MakeTga(ref, c.options), tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

TEST_P(TgaMoreVariantsTest, EveryPrefixIsRefusedSafely)
{
    const TgaVariant& c = GetParam();
    const std::vector<uint8_t> file = MakeTga(MakePattern(13, 7, c.bpp, c.colours), c.options);
    ExpectPrefixesRefused(file, nimbus::image::DecodeTga);
}

INSTANTIATE_TEST_SUITE_P(TgaVariants, TgaMoreVariantsTest, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<TgaVariant>& info) { return std::string(info.param.name); });

TEST(TgaColourMapTest, IndexBelowTheFirstEntryOrPastTheLastIsRefused)
{
    const RefImage ref = MakePattern(4, 4, 24, PatternColours::kSixteenColours);
    std::vector<uint8_t> file = MakeTga(ref, Mapped(8, false, 24, 5));
    const size_t pixels = file.size() - 16;
    TempDir dir;
    CTexture tex;
    file[pixels] = 4; // one below the first entry
    EXPECT_FALSE(LoadBytes(dir, "below.tga", file, tex));
    file[pixels] = uint8_t(5 + file[5]); // one past the last
    EXPECT_FALSE(LoadBytes(dir, "past.tga", file, tex));
    EXPECT_EQ(tex.mWidth, 0u);
}

TEST(TgaColourMapTest, ZeroFirstIndexKeepsEarlierPixels)
{
    // The 24-bit, first-index-0 map that was always read gives the same pixels as before.
    const RefImage ref = MakePattern(13, 7, 24, PatternColours::kSixteenColours);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "m.tga", MakeTga(ref, {kMapped, 8, true}), tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

} // namespace
