#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "image/codecs.h"
#include "image_checks.h"
#include "jpeg_cmyk_fixture.h"
#include "library_image_fixtures.h"
#include "nimbus/texture.h"
#include "prefix_walk.h"
#include "temp_dir.h"

using namespace kestrel::test;

namespace {

constexpr uint32_t kSize = 16; // four flat 8 x 8 blocks, which survive compression nearly exactly
constexpr int kTolerance = 3;

// Stored C, M, Y, K of each block (top left, top right, bottom left, bottom right).
constexpr std::array<std::array<uint8_t, 4>, 4> kBlocks{{
    {255, 0, 0, 255}, {40, 200, 120, 255}, {0, 0, 0, 128}, {255, 255, 255, 60}}};

std::vector<uint8_t> BlockPixels()
{
    std::vector<uint8_t> cmyk(size_t(kSize) * kSize * 4);
    for (uint32_t y = 0; y < kSize; ++y)
        for (uint32_t x = 0; x < kSize; ++x) {
            const auto& b = kBlocks[(y / 8) * 2 + x / 8];
            std::copy(b.begin(), b.end(), cmyk.begin() + long((size_t(y) * kSize + x) * 4));
        }
    return cmyk;
}

// The colour a block shows: with Adobe's marker the stored values are inverted ink amounts.
std::array<int, 3> Expected(const std::array<uint8_t, 4>& s, bool inverted)
{
    std::array<int, 4> v{s[0], s[1], s[2], s[3]};
    if (!inverted)
        for (int& c : v)
            c = 255 - c;
    return {v[0] * v[3] / 255, v[1] * v[3] / 255, v[2] * v[3] / 255};
}

struct CmykCase {
    const char* name;
    bool ycck;
    bool adobe;
};

class JpegCmykTest : public testing::TestWithParam<CmykCase> {};

TEST_P(JpegCmykTest, ConvertsToRgbLikeTheImageWritten)
{
    const CmykCase& c = GetParam();
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "ink.jpg", MakeCmykJpeg(kSize, kSize, BlockPixels(), c.ycck, c.adobe), tex));
    ASSERT_EQ(tex.mBpp, 24);
    ASSERT_EQ(tex.mWidth, kSize);
    ASSERT_EQ(tex.mHeight, kSize);
    for (uint32_t y = 0; y < kSize; ++y)
        for (uint32_t x = 0; x < kSize; ++x) {
            // Texture rows are bottom row first; the blocks were listed top first.
            const auto want = Expected(kBlocks[((kSize - 1 - y) / 8) * 2 + x / 8], c.adobe);
            const uint8_t* got = tex.mData.data() + (size_t(y) * kSize + x) * 3;
            for (int ch = 0; ch < 3; ++ch)
                ASSERT_LE(std::abs(int(got[ch]) - want[size_t(ch)]), kTolerance)
                    << "pixel " << x << "," << y << " channel " << ch;
        }
}

TEST_P(JpegCmykTest, EveryPrefixIsHandledSafely)
{
    const CmykCase& c = GetParam();
    ExpectPrefixesSafe(MakeCmykJpeg(kSize, kSize, BlockPixels(), c.ycck, c.adobe), nimbus::image::DecodeJpeg);
}

// YCCK exists only with Adobe's marker, which names the transform.
INSTANTIATE_TEST_SUITE_P(JpegInk, JpegCmykTest,
                         testing::Values(CmykCase{"AdobeCmyk", false, true}, CmykCase{"AdobeYcck", true, true},
                                         CmykCase{"PlainCmyk", false, false}),
                         [](const testing::TestParamInfo<CmykCase>& info) { return std::string(info.param.name); });

} // namespace
