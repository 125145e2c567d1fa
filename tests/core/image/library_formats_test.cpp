#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "gif_fixture.h"
#include "image_fixtures.h"
#include "library_image_fixtures.h"
#include "nimbus/texture.h"
#include "temp_dir.h"

namespace {

using kestrel::test::TempDir;

// A smooth pattern that survives lossy compression; alpha varies when present.
CTexture MakeGradient(uint32_t w, uint32_t h, uint8_t bpp)
{
    CTexture t;
    t.mWidth = w;
    t.mHeight = h;
    t.mBpp = bpp;
    t.InitPixelData();
    const unsigned n = bpp / 8;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            uint8_t* p = t.mData.data() + (size_t(y) * w + x) * n;
            p[0] = uint8_t(x * 255 / (w - 1));
            p[1] = uint8_t(y * 255 / (h - 1));
            p[2] = uint8_t(128 + (x + y) % 32);
            if (n == 4)
                p[3] = uint8_t((x * 7 + y * 3) % 256);
        }
    return t;
}

bool Load(CTexture& t, const std::string& path)
{
    t.SetFileNameUtf8(path.c_str());
    return t.LoadFromFile();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Jpeg, RoundTripWithinToleranceUnderEitherExtensionSpelling)
{
    TempDir dir;
    const CTexture source = MakeGradient(37, 21, 32); // odd width: rows are not 4-byte multiples
    CTexture writer = source;
    ASSERT_TRUE(writer.SaveToFile(dir.File("a.jpeg").c_str(), SK_TEX_JPEG));
    std::filesystem::copy_file(dir.File("a.jpeg"), dir.File("b.JPG"));

    for (const char* name : {"a.jpeg", "b.JPG"}) {
        CTexture back;
        ASSERT_TRUE(Load(back, dir.File(name))) << name;
        EXPECT_EQ(back.mBpp, 24); // alpha is dropped
        ASSERT_EQ(back.mWidth, 37u);
        ASSERT_EQ(back.mHeight, 21u);
        long worst = 0, total = 0;
        for (size_t i = 0; i < size_t(37) * 21; ++i)
            for (int c = 0; c < 3; ++c) {
                const long d = std::labs(long(back.mData[i * 3 + c]) - long(source.mData[i * 4 + c]));
                worst = std::max(worst, d);
                total += d;
            }
        EXPECT_LT(worst, 24);
        EXPECT_LT(double(total) / (37 * 21 * 3), 3.0);
    }
}

TEST(Png, RoundTripsExactlyAndKeepsRowsTheRightWayUp)
{
    TempDir dir;
    for (uint8_t bpp : {uint8_t(24), uint8_t(32)}) {
        CTexture source = MakeGradient(13, 9, bpp);
        const CTexture before = source;
        const std::string path = dir.File("p" + std::to_string(bpp) + ".png");
        ASSERT_TRUE(source.SaveToFile(path.c_str(), SK_TEX_PNG));
        EXPECT_EQ(source.mData, before.mData) << "saving must not leave the image flipped";

        CTexture back;
        ASSERT_TRUE(Load(back, path));
        EXPECT_EQ(back.mBpp, bpp);
        EXPECT_EQ(back.mData, source.mData);

        // The comment is a plain text chunk that any reader shows.
        const std::string bytes = ReadFile(path);
        EXPECT_NE(bytes.find(std::string("tEXtComment\0Created with HLV Engine", 35)), std::string::npos);
    }
}

TEST(Png, RefusesTruncatedFilesAndHugeHeaders)
{
    TempDir dir;
    CTexture source = MakeGradient(8, 8, 24);
    const std::string path = dir.File("t.png");
    ASSERT_TRUE(source.SaveToFile(path.c_str(), SK_TEX_PNG));
    const std::string bytes = ReadFile(path);
    kestrel::test::WriteBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(bytes.size() / 2)));
    CTexture back;
    EXPECT_FALSE(Load(back, path));
    EXPECT_EQ(back.mWidth, 0u);

    // A header claiming 60000 x 60000 pixels is refused before decoding.
    std::vector<uint8_t> huge(bytes.begin(), bytes.begin() + 33);
    for (int i : {16, 20}) {
        huge[size_t(i)] = 0;
        huge[size_t(i) + 1] = 0;
        huge[size_t(i) + 2] = 0xEA;
        huge[size_t(i) + 3] = 0x60;
    }
    kestrel::test::WriteBytes(path, huge);
    EXPECT_FALSE(Load(back, path));
}

TEST(Gif, PaletteColoursAndTransparency)
{
    TempDir dir;
    const std::vector<uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    std::vector<uint8_t> indices(6 * 4);
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = uint8_t(i % 4);

    ASSERT_TRUE(kestrel::test::WriteGif(dir.File("solid.gif"), 6, 4, indices, palette, -1));
    CTexture solid;
    ASSERT_TRUE(Load(solid, dir.File("solid.gif")));
    EXPECT_EQ(solid.mBpp, 24);
    for (size_t i = 0; i < indices.size(); ++i) {
        const uint32_t c = palette[indices[i]];
        EXPECT_EQ(solid.mData[i * 3 + 0], uint8_t(c >> 16)) << i;
        EXPECT_EQ(solid.mData[i * 3 + 1], uint8_t(c >> 8)) << i;
        EXPECT_EQ(solid.mData[i * 3 + 2], uint8_t(c)) << i;
    }

    ASSERT_TRUE(kestrel::test::WriteGif(dir.File("clear.gif"), 6, 4, indices, palette, 2));
    CTexture clear;
    ASSERT_TRUE(Load(clear, dir.File("clear.gif")));
    EXPECT_EQ(clear.mBpp, 32);
    for (size_t i = 0; i < indices.size(); ++i)
        EXPECT_EQ(clear.mData[i * 4 + 3], indices[i] == 2 ? 0 : 255) << i;
}

// A frame of w x h pixels whose index at (x, y), counted from the top, is (x + 2y) % 4.
kestrel::test::GifFrame StripedFrame(uint16_t left, uint16_t top, uint16_t w, uint16_t h)
{
    kestrel::test::GifFrame frame{left, top, w, h, {}, -1};
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x)
            frame.indices.push_back(uint8_t((x + 2 * y) % 4));
    return frame;
}

// Pixels inside the frame carry its colours (or none at its transparent index), the
// rest of the screen is transparent.
void ExpectFrameOnScreen(const CTexture& t, const kestrel::test::GifFrame& frame, const std::vector<uint32_t>& palette)
{
    ASSERT_EQ(t.mBpp, 32);
    for (uint32_t row = 0; row < t.mHeight; ++row)
        for (uint32_t x = 0; x < t.mWidth; ++x) {
            const uint32_t y = t.mHeight - 1 - row;  // from the top; rows are stored bottom first
            const uint8_t* p = t.mData.data() + (size_t(row) * t.mWidth + x) * 4;
            const bool inside = x >= frame.left && x < frame.left + frame.width && y >= frame.top &&
                                y < frame.top + frame.height;
            if (!inside) {
                ASSERT_EQ(p[3], 0) << x << "," << y;
                continue;
            }
            const uint8_t index = frame.indices[(y - frame.top) * frame.width + (x - frame.left)];
            if (index == frame.transparentIndex) {
                ASSERT_EQ(p[3], 0) << x << "," << y;
                continue;
            }
            const uint32_t c = palette[index];
            ASSERT_EQ(p[3], 255) << x << "," << y;
            ASSERT_EQ(p[0], uint8_t(c >> 16)) << x << "," << y;
            ASSERT_EQ(p[1], uint8_t(c >> 8)) << x << "," << y;
            ASSERT_EQ(p[2], uint8_t(c)) << x << "," << y;
        }
}

TEST(Gif, OpensAsTheLogicalScreenWithTheFirstFrameOnIt)
{
    TempDir dir;
    const std::vector<uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    const std::string path = dir.File("screen.gif");

    const auto inner = StripedFrame(8, 8, 16, 16);
    kestrel::test::WriteBytes(path, kestrel::test::MakeGif(32, 32, palette, inner));
    CTexture centred;
    ASSERT_TRUE(Load(centred, path));
    EXPECT_EQ(centred.mWidth, 32u);
    EXPECT_EQ(centred.mHeight, 32u);
    ExpectFrameOnScreen(centred, inner, palette);

    // The top half of the screen, with a transparent colour of its own.
    auto top = StripedFrame(0, 0, 100, 50);
    top.transparentIndex = 2;
    kestrel::test::WriteBytes(path, kestrel::test::MakeGif(100, 100, palette, top));
    CTexture half;
    ASSERT_TRUE(Load(half, path));
    EXPECT_EQ(half.mWidth, 100u);
    EXPECT_EQ(half.mHeight, 100u);
    ExpectFrameOnScreen(half, top, palette);
}

TEST(Gif, FrameThatFillsOrDoesNotFitTheScreenOpensAsItself)
{
    TempDir dir;
    const std::vector<uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    const std::string path = dir.File("frame.gif");
    struct Case {
        uint16_t screenWidth, screenHeight, frameLeft;
    };
    // Filling the screen exactly, a screen left 0 x 0, a frame reaching past the right edge.
    for (const Case c : {Case{12, 5, 0}, Case{0, 0, 0}, Case{12, 5, 4}}) {
        kestrel::test::WriteBytes(path,
                                  kestrel::test::MakeGif(c.screenWidth, c.screenHeight, palette, StripedFrame(c.frameLeft, 0, 12, 5)));
        CTexture t;
        ASSERT_TRUE(Load(t, path)) << c.screenWidth << " " << c.frameLeft;
        EXPECT_EQ(t.mWidth, 12u);
        EXPECT_EQ(t.mHeight, 5u);
        EXPECT_EQ(t.mBpp, 24);  // nothing uncovered, nothing transparent
        // Bottom left: index (0 + 2 * 4) % 4, red.
        EXPECT_EQ(std::vector<uint8_t>(t.mData.begin(), t.mData.begin() + 3), (std::vector<uint8_t>{0xFF, 0, 0}));
    }
}

TEST(Dds, UncompressedDepthsAndChannelExpansion)
{
    TempDir dir;
    const CTexture rgb = MakeGradient(5, 3, 24);
    const CTexture rgba = MakeGradient(5, 3, 32);

    kestrel::test::WriteBytes(dir.File("a.dds"), kestrel::test::MakeDds(5, 3, 24, rgb.mData, false));
    CTexture t24;
    ASSERT_TRUE(Load(t24, dir.File("a.dds")));
    EXPECT_EQ(t24.mBpp, 24);
    EXPECT_EQ(t24.mData, rgb.mData);

    kestrel::test::WriteBytes(dir.File("b.dds"), kestrel::test::MakeDds(5, 3, 32, rgba.mData, true));
    CTexture t32;
    ASSERT_TRUE(Load(t32, dir.File("b.dds")));
    EXPECT_EQ(t32.mBpp, 32);
    EXPECT_EQ(t32.mData, rgba.mData);

    // 5-6-5: full channels become 255, empty ones (v + 1) * 2^(8 - k) - 1.
    const std::vector<uint8_t> px = {255, 255, 255, 0, 0, 0};
    kestrel::test::WriteBytes(dir.File("c.dds"), kestrel::test::MakeDds(2, 1, 16, px, false));
    CTexture t16;
    ASSERT_TRUE(Load(t16, dir.File("c.dds")));
    ASSERT_EQ(t16.mBpp, 24);
    EXPECT_EQ(t16.mData, (std::vector<uint8_t>{255, 255, 255, 7, 3, 7}));

    // A channel without mask bits reads as zero (its shift would run past the word).
    std::vector<uint8_t> noRed = kestrel::test::MakeDds(2, 1, 16, px, false);
    constexpr size_t kRedMaskOffset = 92;
    std::fill_n(noRed.begin() + kRedMaskOffset, 4, uint8_t(0));
    kestrel::test::WriteBytes(dir.File("d.dds"), noRed);
    CTexture t0;
    ASSERT_TRUE(Load(t0, dir.File("d.dds")));
    EXPECT_EQ(t0.mData, (std::vector<uint8_t>{0, 255, 255, 0, 3, 7}));
}

TEST(TextureLoading, ExtensionsDecideAndFailuresLeaveNoImage)
{
    TempDir dir;
    CTexture image = MakeGradient(4, 4, 24);
    ASSERT_TRUE(image.SaveToFile(dir.File("ok.png").c_str(), SK_TEX_PNG));
    std::filesystem::copy_file(dir.File("ok.png"), dir.File("ok.tif"));
    std::filesystem::copy_file(dir.File("ok.png"), dir.File("ok.tiff"));

    CTexture t;
    ASSERT_TRUE(Load(t, dir.File("ok.png")));
    // An unknown extension is refused without touching the loaded image.
    EXPECT_FALSE(Load(t, dir.File("ok.tif")));
    EXPECT_EQ(t.mWidth, 4u);
    // TIFF is recognised but never decoded; the texture is cleared.
    EXPECT_FALSE(Load(t, dir.File("ok.tiff")));
    EXPECT_EQ(t.mWidth, 0u);
    EXPECT_TRUE(t.mData.empty());
    EXPECT_FALSE(Load(t, dir.File("missing.png")));
    EXPECT_FALSE(Load(t, ""));
    // A PNG body under a JPEG name is refused by the JPEG decoder.
    std::filesystem::copy_file(dir.File("ok.png"), dir.File("fake.jpg"));
    EXPECT_FALSE(Load(t, dir.File("fake.jpg")));
}

TEST(TextureSaving, RefusalsCreateNoFileAndKeepTheOldOne)
{
    TempDir dir;
    CTexture image = MakeGradient(4, 4, 24);
    EXPECT_FALSE(image.SaveToFile(dir.File("x.pcx").c_str(), SK_TEX_PCX));
    EXPECT_FALSE(image.SaveToFile(dir.File("x.cel").c_str(), SK_TEX_CEL));
    EXPECT_FALSE(image.SaveToFile("", SK_TEX_PNG));
    EXPECT_FALSE(image.SaveToFileW(u"x.png", SK_TEX_PNG));
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.pcx")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.cel")));

    // A save that cannot complete leaves the previous file as it was.
    const std::string target = dir.File("keep.png");
    ASSERT_TRUE(image.SaveToFile(target.c_str(), SK_TEX_PNG));
    const std::string before = ReadFile(target);
    CTexture empty;
    EXPECT_FALSE(empty.SaveToFile(target.c_str(), SK_TEX_PNG));
    EXPECT_EQ(ReadFile(target), before);
    EXPECT_FALSE(image.SaveToFile(dir.File("no/such/folder/a.png").c_str(), SK_TEX_PNG));
    // No temporary files are left behind.
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u);
}

} // namespace
