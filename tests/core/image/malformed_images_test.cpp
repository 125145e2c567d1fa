#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "allocation_probe.h"
#include "gif_fixture.h"
#include "image_fixtures.h"
#include "nimbus/texture.h"
#include "temp_dir.h"

using namespace kestrel::test;

namespace {

bool LoadBytes(const TempDir& dir, const std::string& name, const std::vector<uint8_t>& bytes, CTexture& tex)
{
    WriteBytes(dir.File(name), bytes);
    tex.SetFileNameUtf8(dir.File(name).c_str());
    return tex.LoadFromFile();
}

void PutU16(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}

void PutU32(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    PutU16(v, at, x);
    PutU16(v, at + 2, x >> 16);
}

std::vector<uint8_t> TgaHeader(uint8_t type, uint16_t width, uint16_t height, uint8_t depth)
{
    std::vector<uint8_t> h(18, 0);
    h[2] = type;
    PutU16(h, 12, width);
    PutU16(h, 14, height);
    h[16] = depth;
    return h;
}

// ---- Every prefix of a valid file ----

struct Fixture {
    const char* name;
    const char* fileName;
    std::vector<uint8_t> (*make)();
    uint32_t width;
    uint32_t height;
    uint8_t bpp;
};

void PrintTo(const Fixture& c, std::ostream* os) { *os << c.name; }

RefImage Colours() { return MakePattern(13, 7, 24, PatternColours::kSixteenColours); }

GifFrame OneColourFrame(uint16_t left, uint16_t top, uint16_t width, uint16_t height)
{
    return GifFrame{left, top, width, height, std::vector<uint8_t>(size_t(width) * height, 1), -1};
}

const Fixture kFixtures[] = {
    {"TgaRaw24", "t.tga", [] { return MakeTga(MakePattern(13, 7, 24, PatternColours::kFull), {}); }, 13, 7, 24},
    {"TgaRle32", "t.tga",
     [] { return MakeTga(MakePattern(13, 7, 32, PatternColours::kFull), {TgaKind::kTrueColour, 32, true}); }, 13, 7,
     32},
    {"TgaMappedRle", "t.tga", [] { return MakeTga(Colours(), {TgaKind::kColourMapped, 8, true}); }, 13, 7, 24},
    {"PcxPaletted", "p.pcx", [] { return MakePcx(Colours(), {}); }, 13, 7, 24},
    {"PcxThreePlanes", "p.pcx", [] { return MakePcx(MakePattern(13, 7, 24, PatternColours::kFull), {false}); }, 13,
     7, 24},
    {"Cel", "c.cel", [] { return MakeCel(Colours()); }, 13, 7, 24},
    {"Bmp24", "b.bmp", [] { return MakeBmp(MakePattern(13, 7, 24, PatternColours::kFull), {}); }, 13, 7, 24},
    {"Bmp4", "b.bmp", [] { return MakeBmp(Colours(), {4}); }, 13, 7, 24},
    {"GifFrameOnScreen", "g.gif", [] { return MakeGif(32, 32, {0xFF0000, 0x00FF00}, OneColourFrame(8, 8, 16, 16)); },
     32, 32, 32},
};

class MalformedTruncationTest : public testing::TestWithParam<Fixture> {};

TEST_P(MalformedTruncationTest, EveryPrefixFailsOrGivesAFullSizeImage)
{
    const Fixture& f = GetParam();
    const std::vector<uint8_t> full = f.make();
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, f.fileName, full, tex));
    for (size_t length = 0; length < full.size(); ++length) {
        const std::vector<uint8_t> prefix(full.begin(), full.begin() + long(length));
        if (!LoadBytes(dir, f.fileName, prefix, tex)) {
            EXPECT_TRUE(tex.mData.empty()) << length;
            continue;
        }
        ASSERT_EQ(tex.mWidth, f.width) << length;
        ASSERT_EQ(tex.mHeight, f.height) << length;
        ASSERT_EQ(tex.mBpp, f.bpp) << length;
        ASSERT_EQ(tex.mData.size(), size_t(f.width) * f.height * f.bpp / 8) << length;
    }
}

INSTANTIATE_TEST_SUITE_P(MalformedAllFormats, MalformedTruncationTest, testing::ValuesIn(kFixtures),
                         [](const testing::TestParamInfo<Fixture>& info) { return std::string(info.param.name); });

// ---- Huge declared sizes in tiny files ----

struct HugeCase {
    const char* name;
    const char* fileName;
    std::vector<uint8_t> (*make)();
};

void PrintTo(const HugeCase& c, std::ostream* os) { *os << c.name; }

std::vector<uint8_t> HugeTgaRle()
{
    // 8000 x 8000 x 3 is within the pixel limit, but 64 bytes of packets cannot cover it.
    std::vector<uint8_t> f = TgaHeader(10, 8000, 8000, 24);
    for (int i = 0; i < 16; ++i)
        f.insert(f.end(), {0xFF, 1, 2, 3});
    return f;
}

std::vector<uint8_t> HugeTgaRaw()
{
    std::vector<uint8_t> f = TgaHeader(2, 8000, 8000, 24);
    f.resize(f.size() + 300, 7);
    return f;
}

std::vector<uint8_t> HugeTgaOverLimit() { return TgaHeader(10, 65535, 65535, 32); }

std::vector<uint8_t> HugePcx()
{
    std::vector<uint8_t> f(128, 0);
    f[0] = 10, f[2] = 1, f[3] = 8, f[65] = 3;
    PutU16(f, 8, 8999);
    PutU16(f, 10, 8999);
    PutU16(f, 66, 9000);
    for (int i = 0; i < 100; ++i)
        f.insert(f.end(), {0xFF, 0x55});
    return f;
}

std::vector<uint8_t> HugeCel()
{
    std::vector<uint8_t> f(32 + 768 + 100, 0);
    PutU16(f, 0, 0x9119);
    PutU16(f, 2, 8000);
    PutU16(f, 4, 8000);
    f[10] = 8;
    PutU32(f, 12, 64000000);
    return f;
}

std::vector<uint8_t> HugeBmp()
{
    std::vector<uint8_t> f(54 + 100, 0);
    f[0] = 'B', f[1] = 'M';
    PutU32(f, 10, 54);
    PutU32(f, 14, 40);
    PutU32(f, 18, 8000);
    PutU32(f, 22, uint32_t(-8000)); // top first
    PutU16(f, 26, 1);
    PutU16(f, 28, 24);
    return f;
}

// A screen of 8192 x 8191 (just within the pixel limit) around a 1 x 1 frame, in 40 bytes.
std::vector<uint8_t> HugeGifScreen() { return MakeGif(8192, 8191, {0xFF0000, 0x00FF00}, OneColourFrame(0, 0, 1, 1)); }

// A small screen, and a first frame that declares 65535 x 65535 pixels.
std::vector<uint8_t> HugeGifFrame() { return MakeGif(4, 4, {0xFF0000, 0x00FF00}, GifFrame{0, 0, 65535, 65535, {1}, -1}); }

// A DDS header for width x height, block compressed by fourCc or uncompressed at bits per pixel,
// followed by `data` bytes of pixels.
std::vector<uint8_t> DdsFile(uint32_t width, uint32_t height, const char* fourCc, uint32_t bits, size_t data)
{
    std::vector<uint8_t> f(128 + data, 0);
    f[0] = 'D', f[1] = 'D', f[2] = 'S', f[3] = ' ';
    PutU32(f, 4, 124);
    PutU32(f, 8, 0x1007);
    PutU32(f, 12, height);
    PutU32(f, 16, width);
    PutU32(f, 76, 32);
    if (fourCc) {
        PutU32(f, 80, 0x4);
        for (int i = 0; i < 4; ++i)
            f[84 + i] = uint8_t(fourCc[i]);
    } else {
        PutU32(f, 80, 0x41); // RGB with alpha
        PutU32(f, 88, bits);
        PutU32(f, 92, 0x00FF0000);
        PutU32(f, 96, 0x0000FF00);
        PutU32(f, 100, 0x000000FF);
        PutU32(f, 104, 0xFF000000);
    }
    PutU32(f, 108, 0x1000);
    return f;
}

// 228 bytes that claim 8192 x 8192 pixels, compressed or not.
std::vector<uint8_t> TruncatedDxt1() { return DdsFile(8192, 8192, "DXT1", 0, 100); }
std::vector<uint8_t> TruncatedDxt5() { return DdsFile(8192, 8192, "DXT5", 0, 100); }
std::vector<uint8_t> TruncatedDdsRgba() { return DdsFile(8192, 8192, nullptr, 32, 100); }

// A 1 x 1 screen and a first frame of 8000 x 8000 pixels, in a few dozen bytes.
std::vector<uint8_t> HugeGifFrameOnTinyScreen()
{
    return MakeGif(1, 1, {0xFF0000, 0x00FF00}, GifFrame{0, 0, 8000, 8000, {1}, -1});
}

const HugeCase kHugeCases[] = {
    {"DdsDxt1", "h.dds", TruncatedDxt1}, {"DdsDxt5", "h.dds", TruncatedDxt5}, {"DdsRgba", "h.dds", TruncatedDdsRgba},
    {"GifFrameOnTinyScreen", "h.gif", HugeGifFrameOnTinyScreen},
    {"TgaRle", "h.tga", HugeTgaRle}, {"TgaRaw", "h.tga", HugeTgaRaw}, {"TgaOverLimit", "h.tga", HugeTgaOverLimit},
    {"Pcx", "h.pcx", HugePcx},       {"Cel", "h.cel", HugeCel},       {"Bmp", "h.bmp", HugeBmp},
    {"GifScreen", "h.gif", HugeGifScreen}, {"GifFrame", "h.gif", HugeGifFrame},
};

class MalformedHugeSizeTest : public testing::TestWithParam<HugeCase> {};

TEST_P(MalformedHugeSizeTest, FailsWithoutAllocatingThePixels)
{
    TempDir dir;
    CTexture tex;
    const std::vector<uint8_t> file = GetParam().make();
    size_t largest = 0;
    {
        AllocationProbe probe;
        EXPECT_FALSE(LoadBytes(dir, GetParam().fileName, file, tex));
        largest = probe.Largest();
    }
    EXPECT_TRUE(tex.mData.empty());
    EXPECT_LT(largest, size_t(1) << 20);
}

TEST(MalformedHugeSizeTest, CompleteDdsFilesOfTheSameKindsStillOpen)
{
    TempDir dir;
    CTexture tex;
    EXPECT_TRUE(LoadBytes(dir, "c.dds", DdsFile(8, 4, "DXT1", 0, 2 * 8), tex));
    EXPECT_EQ(tex.mWidth, 8u);
    EXPECT_TRUE(LoadBytes(dir, "c.dds", DdsFile(8, 4, "DXT5", 0, 2 * 16), tex));
    EXPECT_TRUE(LoadBytes(dir, "c.dds", DdsFile(3, 3, nullptr, 32, 3 * 3 * 4), tex));
    EXPECT_EQ(tex.mHeight, 3u);
    // One byte short of the top level is not enough.
    EXPECT_FALSE(LoadBytes(dir, "c.dds", DdsFile(8, 4, "DXT1", 0, 2 * 8 - 1), tex));
}

// The decoder's own tables cost the same for any GIF; a later frame must add nothing to them.
TEST(MalformedHugeSizeTest, AHugeLaterGifFrameCostsNothing)
{
    const std::vector<uint8_t> one = MakeGif(2, 2, {0xFF0000, 0x00FF00}, OneColourFrame(0, 0, 2, 2));
    std::vector<uint8_t> two = one;
    ASSERT_EQ(two.back(), 0x3B);
    two.pop_back();
    const std::vector<uint8_t> huge = MakeGif(1, 1, {0xFF0000, 0x00FF00}, GifFrame{0, 0, 8000, 8000, {1}, -1});
    // The blocks after the header, screen and two-colour table: the huge frame and the trailer.
    two.insert(two.end(), huge.begin() + 13 + 6, huge.end());
    TempDir dir;
    auto measure = [&](const std::vector<uint8_t>& file, size_t& largest, size_t& peak) {
        CTexture tex;
        AllocationProbe probe;
        EXPECT_TRUE(LoadBytes(dir, "g.gif", file, tex));
        largest = probe.Largest();
        peak = probe.Peak();
        EXPECT_EQ(tex.mWidth, 2u);
    };
    size_t largestOne = 0, peakOne = 0, largestTwo = 0, peakTwo = 0;
    measure(one, largestOne, peakOne);
    measure(two, largestTwo, peakTwo);
    EXPECT_LE(largestTwo, largestOne + 4096);
    EXPECT_LE(peakTwo, peakOne + 65536);
}

INSTANTIATE_TEST_SUITE_P(MalformedAllFormats, MalformedHugeSizeTest, testing::ValuesIn(kHugeCases),
                         [](const testing::TestParamInfo<HugeCase>& info) { return std::string(info.param.name); });

// ---- Zero dimensions ----

TEST(MalformedDimensionsTest, ZeroSizesAreRefused)
{
    TempDir dir;
    CTexture tex;
    std::vector<uint8_t> tga = TgaHeader(2, 0, 5, 24);
    tga.resize(100, 1);
    EXPECT_FALSE(LoadBytes(dir, "z.tga", tga, tex));
    tga = TgaHeader(10, 5, 0, 24);
    tga.resize(100, 1);
    EXPECT_FALSE(LoadBytes(dir, "z.tga", tga, tex));

    std::vector<uint8_t> pcx = MakePcx(MakePattern(4, 4, 24, PatternColours::kFull), {false});
    PutU16(pcx, 4, 9); // xmin above xmax
    EXPECT_FALSE(LoadBytes(dir, "z.pcx", pcx, tex));

    std::vector<uint8_t> cel = MakeCel(MakePattern(4, 4, 24, PatternColours::kSixteenColours));
    PutU16(cel, 2, 0);
    EXPECT_FALSE(LoadBytes(dir, "z.cel", cel, tex));

    std::vector<uint8_t> bmp = MakeBmp(MakePattern(4, 4, 24, PatternColours::kFull), {});
    PutU32(bmp, 18, 0);
    EXPECT_FALSE(LoadBytes(dir, "z.bmp", bmp, tex));
    bmp = MakeBmp(MakePattern(4, 4, 24, PatternColours::kFull), {});
    PutU32(bmp, 22, 0);
    EXPECT_FALSE(LoadBytes(dir, "z.bmp", bmp, tex));
}

TEST(MalformedDimensionsTest, BmpNegativeWidthAndMostNegativeHeightAreRefused)
{
    TempDir dir;
    CTexture tex;
    std::vector<uint8_t> bmp = MakeBmp(MakePattern(4, 4, 24, PatternColours::kFull), {});
    PutU32(bmp, 18, uint32_t(-4));
    EXPECT_FALSE(LoadBytes(dir, "n.bmp", bmp, tex));
    bmp = MakeBmp(MakePattern(4, 4, 24, PatternColours::kFull), {});
    PutU32(bmp, 22, 0x80000000u);
    EXPECT_FALSE(LoadBytes(dir, "n.bmp", bmp, tex));
}

// ---- Runs past the end ----

TEST(MalformedRunTest, TgaRunPastImageEndIsCut)
{
    std::vector<uint8_t> f = TgaHeader(10, 4, 2, 24);
    f.insert(f.end(), {0xFF, 30, 20, 10}); // 128 copies for an 8-pixel image
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "run.tga", f, tex));
    ASSERT_EQ(tex.mData.size(), 24u);
    for (size_t i = 0; i < 24; i += 3)
        EXPECT_EQ((std::vector<uint8_t>{tex.mData[i], tex.mData[i + 1], tex.mData[i + 2]}),
                  (std::vector<uint8_t>{10, 20, 30}));
}

TEST(MalformedRunTest, TgaLiteralPacketPastImageEndIsCutWhenItsDataIsThere)
{
    std::vector<uint8_t> f = TgaHeader(11, 2, 2, 8);
    f.push_back(0x05); // six grey values for four pixels
    f.insert(f.end(), {1, 2, 3, 4, 5, 6});
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "lit.tga", f, tex));
    EXPECT_EQ(tex.mData, (std::vector<uint8_t>{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4}));
    f.erase(f.end() - 3, f.end()); // the listed values now end early
    EXPECT_FALSE(LoadBytes(dir, "lit.tga", f, tex));
}

TEST(MalformedRunTest, TgaPacketsEndingEarlyAreRefused)
{
    std::vector<uint8_t> f = TgaHeader(10, 4, 4, 24);
    f.insert(f.end(), {0x83, 1, 2, 3}); // 4 of 16 pixels
    TempDir dir;
    CTexture tex;
    EXPECT_FALSE(LoadBytes(dir, "short.tga", f, tex));
    f.push_back(0x8B); // a run header without its value
    EXPECT_FALSE(LoadBytes(dir, "short.tga", f, tex));
}

TEST(MalformedRunTest, PcxRunPastScanLineEndIsCut)
{
    // 3 x 2 paletted, 4 bytes per line: the first line is one run of 9, the second is literal.
    std::vector<uint8_t> f(128, 0);
    f[0] = 10, f[2] = 1, f[3] = 8, f[65] = 1;
    PutU16(f, 8, 2);
    PutU16(f, 10, 1);
    PutU16(f, 66, 4);
    f.insert(f.end(), {0xC9, 1, 2, 3, 1, 0});
    f.push_back(12);
    std::vector<uint8_t> palette(768, 0);
    for (int i = 0; i < 4; ++i)
        palette[i * 3] = uint8_t(50 * i), palette[i * 3 + 1] = uint8_t(i), palette[i * 3 + 2] = 9;
    f.insert(f.end(), palette.begin(), palette.end());
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "run.pcx", f, tex));
    // Bottom row first: the literal line, then the run line.
    EXPECT_EQ(tex.mData, (std::vector<uint8_t>{100, 2, 9, 150, 3, 9, 50, 1, 9, 50, 1, 9, 50, 1, 9, 50, 1, 9}));
}

// ---- Palettes and indices ----

TEST(MalformedPaletteTest, TgaIndexOutsideTheMapIsRefused)
{
    RefImage ref = MakePattern(4, 2, 24, PatternColours::kSixteenColours);
    std::vector<uint8_t> f = MakeTga(ref, {TgaKind::kColourMapped, 8, false});
    const size_t mapLength = f[5];
    f[18 + mapLength * 3] = uint8_t(mapLength); // first pixel points one past the map
    TempDir dir;
    CTexture tex;
    EXPECT_FALSE(LoadBytes(dir, "idx.tga", f, tex));
}

TEST(MalformedPaletteTest, TgaMapLongerThanFileIsRefused)
{
    std::vector<uint8_t> f = TgaHeader(1, 2, 2, 8);
    f[1] = 1, f[7] = 24;
    PutU16(f, 5, 5000);
    f.resize(f.size() + 40, 0);
    TempDir dir;
    CTexture tex;
    EXPECT_FALSE(LoadBytes(dir, "map.tga", f, tex));
}

TEST(MalformedPaletteTest, BmpIndexBeyondColoursUsedIsRefused)
{
    std::vector<uint8_t> f = MakeBmp(MakePattern(4, 2, 24, PatternColours::kSixteenColours), {8});
    const uint32_t used = f[46];
    f[f[10]] = uint8_t(used);
    TempDir dir;
    CTexture tex;
    EXPECT_FALSE(LoadBytes(dir, "idx.bmp", f, tex));
}

TEST(MalformedPaletteTest, BmpPaletteCutOffIsRefused)
{
    std::vector<uint8_t> f = MakeBmp(MakePattern(4, 2, 24, PatternColours::kSixteenColours), {8});
    PutU32(f, 46, 0); // all 256 entries, which the file does not hold
    TempDir dir;
    CTexture tex;
    EXPECT_FALSE(LoadBytes(dir, "pal.bmp", f, tex));
}

TEST(MalformedPaletteTest, PcxTooShortForItsPaletteIsRefused)
{
    std::vector<uint8_t> f(128 + 100, 0);
    f[0] = 10, f[2] = 1, f[3] = 8, f[65] = 1;
    PutU16(f, 66, 2);
    TempDir dir;
    CTexture tex;
    EXPECT_FALSE(LoadBytes(dir, "pal.pcx", f, tex));
}

TEST(MalformedPaletteTest, CelComponentsAboveSixBitsStayInAByte)
{
    std::vector<uint8_t> f = MakeCel(MakePattern(1, 1, 24, PatternColours::kSixteenColours));
    f[32] = 0xFF, f[33] = 0x41, f[34] = 0x80;
    TempDir dir;
    CTexture tex;
    ASSERT_TRUE(LoadBytes(dir, "pal.cel", f, tex));
    EXPECT_EQ(tex.mData, (std::vector<uint8_t>{0xFC, 0x04, 0x00}));
}

TEST(MalformedHeaderTest, BmpOddHeadersAreRefused)
{
    const RefImage ref = MakePattern(4, 2, 24, PatternColours::kFull);
    TempDir dir;
    CTexture tex;
    std::vector<uint8_t> f = MakeBmp(ref, {});
    PutU32(f, 14, 41); // unknown header size
    EXPECT_FALSE(LoadBytes(dir, "h.bmp", f, tex));
    f = MakeBmp(ref, {});
    PutU16(f, 28, 3); // no such depth
    EXPECT_FALSE(LoadBytes(dir, "h.bmp", f, tex));
    f = MakeBmp(ref, {});
    PutU32(f, 10, 0xFFFFFFF0u); // pixels beyond the file
    EXPECT_FALSE(LoadBytes(dir, "h.bmp", f, tex));
    f = MakeBmp(ref, {});
    PutU32(f, 14, 0x7FFFFFFF); // header larger than the file
    EXPECT_FALSE(LoadBytes(dir, "h.bmp", f, tex));
    f = MakeBmp(ref, {24});
    PutU32(f, 30, 3); // bitfields on a 24-bit image
    EXPECT_FALSE(LoadBytes(dir, "h.bmp", f, tex));
}

} // namespace
