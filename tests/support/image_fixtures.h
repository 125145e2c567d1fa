#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::test {
// Writes bytes to a file, replacing it.
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Reference pixels laid out like CTexture::mData: R, G, B (, A), bottom row first.
struct RefImage {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bpp = 24;
    std::vector<uint8_t> pixels;

    const uint8_t* At(uint32_t x, uint32_t y) const { return pixels.data() + (size_t(y) * width + x) * (bpp / 8); }
};

// Which colours a pattern may use, so that every format can hold it exactly.
enum class PatternColours {
    kFull,           // any byte values
    kGrey,           // R = G = B
    kFiveBit,        // channels with the low three bits clear (16-bit TGA)
    kTwoColours,     // 1-bit BMP
    kSixteenColours, // palette formats; components are multiples of 4 (6-bit CEL palettes)
    kFourColours,    // 2-bit palettes
    kFourBit,        // channels and alpha that are multiples of 17 (4-bit masks)
};

// Deterministic picture: the left third of each row is one colour (long runs), the rest
// changes from pixel to pixel (literal data).
RefImage MakePattern(uint32_t width, uint32_t height, uint8_t bpp, PatternColours colours);

enum class TgaKind { kColourMapped, kTrueColour, kGrey };

struct TgaOptions {
    TgaKind kind = TgaKind::kTrueColour;
    uint8_t depth = 24; // 8 or 16 for mapped (indices) and grey (grey and alpha); 15, 16, 24 or 32 for true colour
    bool rle = false;
    bool topFirst = false;    // descriptor bit 5
    bool rightToLeft = false; // descriptor bit 4
    uint8_t idLength = 0;
    uint8_t mapEntryBits = 24; // 15, 16 (five-bit colours), 24 or 32 (alpha from the image)
    uint16_t mapFirst = 0;     // pixel value of the first map entry
};

// Image types 1, 2, 3 (raw) or 9, 10, 11 (run-length); RLE uses both packet kinds.
std::vector<uint8_t> MakeTga(const RefImage& image, const TgaOptions& options);

struct PcxOptions {
    bool paletted = true; // one plane and a palette, else three planes
    uint8_t manufacturer = 10;
    uint8_t encoding = 1;
    uint16_t xmin = 0;
    uint16_t ymin = 0;
};

// Run-length encoded PCX; scan lines are padded to an even number of bytes.
std::vector<uint8_t> MakePcx(const RefImage& image, const PcxOptions& options);

struct PcxLowColourOptions {
    uint8_t bitsPerPixel = 1; // 1, 2 or 4
    uint8_t planes = 1;       // bitsPerPixel x planes is at most 4
    bool emptyPalette = false; // header palette left zero (monochrome files)
};

// Run-length encoded PCX of up to 16 colours, its palette in the header.
std::vector<uint8_t> MakePcxLowColour(const RefImage& image, const PcxLowColourOptions& options);

// Animator cel; the colours must be multiples of 4.
std::vector<uint8_t> MakeCel(const RefImage& image);

struct BmpOptions {
    uint16_t bitCount = 24; // 1, 4, 8 (paletted), 24 or 32
    bool topFirst = false;  // negative height
};

// Uncompressed BMP, rows padded to 4 bytes.
std::vector<uint8_t> MakeBmp(const RefImage& image, const BmpOptions& options);

} // namespace kestrel::test
