#include <gtest/gtest.h>

#include <cstring>

#include "nimbus/texture.h"

namespace {

CTexture MakePattern(uint32_t w, uint32_t h, uint8_t bpp)
{
    CTexture t;
    t.mWidth = w;
    t.mHeight = h;
    t.mBpp = bpp;
    t.InitPixelData();
    for (size_t i = 0; i < t.mData.size(); ++i)
        t.mData[i] = uint8_t(i * 37 + 11);
    return t;
}

const uint8_t* Pixel(const CTexture& t, uint32_t x, uint32_t y)
{
    return t.mData.data() + (size_t(y) * t.mWidth + x) * (t.mBpp / 8);
}

TEST(TextureEdits, RotationsAreQuarterTurnsAndUndoEachOther)
{
    for (uint8_t bpp : {uint8_t(24), uint8_t(32)}) {
        const CTexture original = MakePattern(5, 3, bpp);
        CTexture t = original;
        t.ModRotate(SK_ROTATE_CW);
        ASSERT_EQ(t.mWidth, 3u);
        ASSERT_EQ(t.mHeight, 5u);
        // Clockwise as shown: the top-left pixel goes to the top-right corner.
        EXPECT_EQ(0, std::memcmp(Pixel(t, 2, 4), Pixel(original, 0, 2), bpp / 8));
        EXPECT_EQ(0, std::memcmp(Pixel(t, 0, 4), Pixel(original, 0, 0), bpp / 8));
        t.ModRotate(SK_ROTATE_CCW);
        EXPECT_EQ(t.mWidth, 5u);
        EXPECT_EQ(t.mData, original.mData);
        t.ModRotate(7); // unknown direction
        EXPECT_EQ(t.mData, original.mData);
        EXPECT_EQ(t.mWidth, 5u);
    }
}

TEST(TextureEdits, FlipsMirrorRowsAndColumns)
{
    const CTexture original = MakePattern(4, 3, 24);
    CTexture v = original;
    v.ModFlip(SK_FLIP_VERTICAL);
    EXPECT_EQ(0, std::memcmp(Pixel(v, 1, 0), Pixel(original, 1, 2), 3));
    EXPECT_EQ(0, std::memcmp(Pixel(v, 1, 1), Pixel(original, 1, 1), 3));
    CTexture h = original;
    h.ModFlip(SK_FLIP_HORIZONTAL);
    EXPECT_EQ(0, std::memcmp(Pixel(h, 0, 2), Pixel(original, 3, 2), 3));
    h.ModFlip(SK_FLIP_HORIZONTAL);
    EXPECT_EQ(h.mData, original.mData);
}

TEST(TextureEdits, InvertTwiceRestoresAndKeepsAlpha)
{
    const CTexture original = MakePattern(3, 3, 32);
    CTexture t = original;
    t.ModInvert();
    EXPECT_EQ(t.mData[0], uint8_t(255 - original.mData[0]));
    EXPECT_EQ(t.mData[3], original.mData[3]);
    t.ModInvert();
    EXPECT_EQ(t.mData, original.mData);
}

TEST(TextureEdits, GrayscaleUsesLumaAndLeavesGreyAlone)
{
    CTexture t;
    t.mWidth = 2;
    t.mHeight = 1;
    t.mBpp = 24;
    t.mData = {200, 100, 50, 77, 77, 77};
    t.ModGrayscale();
    const uint8_t l = uint8_t(0.299 * 200 + 0.587 * 100 + 0.114 * 50);
    EXPECT_EQ(t.mData, (std::vector<uint8_t>{l, l, l, 77, 77, 77}));
}

TEST(TextureEdits, NormalMapOfAFlatImagePointsUp)
{
    CTexture t = MakePattern(5, 4, 32);
    for (size_t i = 0; i < t.mData.size(); i += 4) {
        t.mData[i] = t.mData[i + 1] = t.mData[i + 2] = 90;
        t.mData[i + 3] = 10;
    }
    t.ModNormalMap(3.0f);
    for (uint32_t y = 1; y + 1 < t.mHeight; ++y)
        for (uint32_t x = 1; x + 1 < t.mWidth; ++x) {
            const uint8_t* p = Pixel(t, x, y);
            EXPECT_EQ(p[0], 128);
            EXPECT_EQ(p[1], 127);
            EXPECT_EQ(p[2], 254);
            EXPECT_EQ(p[3], 255);
        }
}

TEST(TextureEdits, NormalMapTiltsAwayFromASlope)
{
    // Brightness rising to the right: the normal leans to -x before the quarter turn.
    CTexture t;
    t.mWidth = 3;
    t.mHeight = 3;
    t.mBpp = 24;
    t.InitPixelData();
    for (uint32_t y = 0; y < 3; ++y)
        for (uint32_t x = 0; x < 3; ++x) {
            uint8_t* p = t.mData.data() + (y * 3 + x) * 3;
            p[0] = p[1] = p[2] = uint8_t(100 + 50 * x);
        }
    t.ModNormalMap(1.0f);
    const uint8_t* centre = Pixel(t, 1, 1);
    // After rotating by -90 degrees about z, a -x lean becomes +y.
    EXPECT_GT(centre[1], 127);
    EXPECT_LT(centre[2], 254);
}

TEST(TextureEdits, OtherDepthsAndShortBuffersAreIgnored)
{
    CTexture t;
    t.mWidth = 4;
    t.mHeight = 4;
    t.mBpp = 8;
    t.InitPixelData();
    t.ModInvert();
    t.ModRotate(SK_ROTATE_CW);
    EXPECT_EQ(t.mWidth, 4u);
    EXPECT_EQ(t.mData[0], 0);

    CTexture shortBuffer;
    shortBuffer.mWidth = 100;
    shortBuffer.mHeight = 100;
    shortBuffer.mBpp = 24;
    shortBuffer.mData.resize(10);
    shortBuffer.ModNormalMap(1.0f);
    shortBuffer.ModFlip(SK_FLIP_VERTICAL);
    EXPECT_EQ(shortBuffer.mData.size(), 10u);
}

TEST(TextureEdits, InitPixelDataSizesTheBuffer)
{
    CTexture t;
    t.mWidth = 3;
    t.mHeight = 2;
    t.mBpp = 32;
    t.InitPixelData();
    EXPECT_EQ(t.mData.size(), 24u);
    t.mData[23] = 9;
    t.mBpp = 24;
    t.InitPixelData();
    EXPECT_EQ(t.mData.size(), 18u);
    t.Clear();
    EXPECT_EQ(t.mFilter, SK_FILTER_MIPMAP);
    EXPECT_EQ(t.mBpp, 0);
    EXPECT_TRUE(t.mData.empty());
}

} // namespace
