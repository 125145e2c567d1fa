#include <gtest/gtest.h>

#include <array>

#include "dds_variant_fixtures.h"
#include "image/codecs.h"
#include "image_checks.h"
#include "image_fixtures.h"
#include "nimbus/texture.h"
#include "prefix_walk.h"
#include "temp_dir.h"

using namespace kestrel::test;

namespace {

// Colours a block format holds exactly: every channel 0 or 255, two of them a block.
RefImage BlockPattern(uint32_t width, uint32_t height, DdsKind kind)
{
    static constexpr std::array<std::array<uint8_t, 3>, 8> kCorners{
        {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 255}}};
    RefImage image;
    image.width = width;
    image.height = height;
    image.bpp = kind == DdsKind::kDxt1 || kind == DdsKind::kDx10Bc1 ? 24 : 32;
    const unsigned n = image.bpp / 8;
    image.pixels.resize(size_t(width) * height * n);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t fy = height - 1 - y; // blocks are counted from the top row
            const uint32_t bx = x / 4, by = fy / 4;
            const bool second = (x + fy) % 3 == 0;
            const auto& c = kCorners[second ? (bx + 2 * by + 3) % 8 : (bx + by) % 8];
            uint8_t* p = image.pixels.data() + (size_t(y) * width + x) * n;
            p[0] = c[0], p[1] = c[1], p[2] = c[2];
            if (n == 4)
                p[3] = kind == DdsKind::kDxt3 ? uint8_t((x * 5 + fy * 3) % 16 * 17) : uint8_t(second ? 40 : 230);
        }
    return image;
}

struct DdsVariant {
    const char* name;
    DdsKind kind;
    uint32_t width;
    uint32_t height;
};

void PrintTo(const DdsVariant& c, std::ostream* os) { *os << c.name; }

RefImage ImageFor(const DdsVariant& c)
{
    switch (c.kind) {
    case DdsKind::kLuminance8:
    case DdsKind::kLuminance16: return MakePattern(c.width, c.height, 24, PatternColours::kGrey);
    case DdsKind::kLuminanceAlpha8: return MakePattern(c.width, c.height, 32, PatternColours::kGrey);
    case DdsKind::kDx10Bgrx: return MakePattern(c.width, c.height, 24, PatternColours::kFull);
    case DdsKind::kMipmapped32:
    case DdsKind::kDx10Rgba:
    case DdsKind::kDx10Bgra: return MakePattern(c.width, c.height, 32, PatternColours::kFull);
    default: return BlockPattern(c.width, c.height, c.kind);
    }
}

const DdsVariant kVariants[] = {
    {"Luminance8", DdsKind::kLuminance8, 13, 7},
    {"Luminance16", DdsKind::kLuminance16, 13, 7},
    {"LuminanceAlpha8", DdsKind::kLuminanceAlpha8, 13, 7},
    {"Mipmapped32", DdsKind::kMipmapped32, 16, 8},
    {"Dx10Rgba", DdsKind::kDx10Rgba, 13, 7},
    {"Dx10Bgra", DdsKind::kDx10Bgra, 13, 7},
    {"Dx10Bgrx", DdsKind::kDx10Bgrx, 13, 7},
    {"Dxt1", DdsKind::kDxt1, 12, 8},
    {"Dxt3", DdsKind::kDxt3, 12, 8},
    {"Dxt5", DdsKind::kDxt5, 12, 8},
    {"Dxt5PartialBlocks", DdsKind::kDxt5, 10, 6},
    {"Dx10Bc1", DdsKind::kDx10Bc1, 12, 8},
    {"Dx10Bc3PartialBlocks", DdsKind::kDx10Bc3, 9, 5},
};

class DdsVariantTest : public testing::TestWithParam<DdsVariant> {};

TEST_P(DdsVariantTest, DecodesTheFirstLevelToTheImageWritten)
{
    const DdsVariant& c = GetParam();
    const RefImage ref = ImageFor(c);
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "image.dds", MakeDdsVariant(ref, c.kind), tex));
    EXPECT_TRUE(SameImage(tex, ref));
}

TEST_P(DdsVariantTest, EveryPrefixIsHandledSafely)
{
    const DdsVariant& c = GetParam();
    const std::vector<uint8_t> file = MakeDdsVariant(ImageFor(c), c.kind);
    ExpectPrefixesSafe(file, nimbus::image::DecodeDds);
    // The first level is needed whole.
    const size_t firstLevel = c.kind == DdsKind::kMipmapped32 ? 128 + size_t(c.width) * c.height * 4 : file.size();
    SkDecodedImage image;
    EXPECT_FALSE(nimbus::image::DecodeDds(file.data(), firstLevel - 1, image));
}

INSTANTIATE_TEST_SUITE_P(DdsVariants, DdsVariantTest, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<DdsVariant>& info) { return std::string(info.param.name); });

TEST(DdsPlainTest, UnknownDx10FormatAndOverwideLuminanceMasksAreRefused)
{
    const RefImage ref = MakePattern(4, 4, 32, PatternColours::kFull);
    std::vector<uint8_t> dx10 = MakeDdsVariant(ref, DdsKind::kDx10Rgba);
    dx10[128] = 2; // R32G32B32A32 floats
    SkDecodedImage out;
    EXPECT_FALSE(nimbus::image::DecodeDds(dx10.data(), dx10.size(), out));
    std::vector<uint8_t> luma = MakeDdsVariant(MakePattern(4, 4, 24, PatternColours::kGrey), DdsKind::kLuminance8);
    luma[93] = 0xFF; // a 16-bit mask on 8-bit pixels
    EXPECT_FALSE(nimbus::image::DecodeDds(luma.data(), luma.size(), out));
}

} // namespace
