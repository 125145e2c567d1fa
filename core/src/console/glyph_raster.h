#pragma once
#include <cstdint>
#include <vector>

namespace nimbus {

// One character as glBitmap takes it.
struct GlyphBitmap {
    int width = 0;
    int height = 0;
    int left = 0;    // from the pen to the leftmost column
    int top = 0;     // from the baseline up to the top row
    int advance = 0; // pen move to the next character
    // One bit a pixel, most significant bit first, rows padded to whole bytes, bottom row first.
    std::vector<uint8_t> bits;
};

// Antialiased coverage of at least this much (of 255) sets a bitmap pixel. Below half, so
// that the stems of a small bold face stay two pixels wide.
constexpr uint8_t kCoverageThreshold = 96;

// The characters first to first + count - 1 of the bold face fontconfig picks for family,
// at an em height of pixelSize. Empty when no font can be found or opened.
std::vector<GlyphBitmap> RasterizeBoldGlyphs(const char* family, int pixelSize, int first, int count);

} // namespace nimbus
