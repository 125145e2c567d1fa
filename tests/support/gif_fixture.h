#pragma once
#include <cstdint>
#include <vector>

namespace kestrel::test {

struct GifFrame {
    uint16_t left = 0;
    uint16_t top = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint8_t> indices;  // width x height palette indices, top row first
    int transparentIndex = -1;     // below zero: none
};

// A GIF89a file with a global palette (0xRRGGBB entries, at most 256) and one frame on a
// logical screen of the given size. The LZW table is cleared before it grows a code
// wider than 9 bits, so every code is one pixel's index.
std::vector<uint8_t> MakeGif(uint16_t screenWidth, uint16_t screenHeight, const std::vector<uint32_t>& paletteRgb,
                             const GifFrame& frame);

} // namespace kestrel::test
