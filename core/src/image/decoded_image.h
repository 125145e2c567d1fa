#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Output of every decoder: 24- or 32-bit R, G, B (, A) pixels, bottom row first.
struct SkDecodedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bpp = 0;
    std::vector<uint8_t> pixels;
};

namespace nimbus::image {

// Decoded pixel buffers above this size are refused before anything is allocated.
constexpr uint64_t kMaxPixelBytes = uint64_t(256) << 20;
// Source files above this size are refused before they are read.
constexpr uint64_t kMaxFileBytes = uint64_t(512) << 20;

// True when an image of these dimensions may be allocated.
inline bool SizeAcceptable(uint64_t width, uint64_t height, unsigned bytesPerPixel)
{
    return width > 0 && height > 0 && width * height * bytesPerPixel <= kMaxPixelBytes;
}

// Sizes the buffer for width x height pixels of bpp bits; false if too large.
bool Allocate(SkDecodedImage& image, uint32_t width, uint32_t height, uint8_t bpp);

} // namespace nimbus::image
