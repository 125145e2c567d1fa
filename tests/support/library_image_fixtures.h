#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::test {

// GIF written through FreeImage: an 8-bit palette image whose pixel (x, y), counted from the
// bottom row, has palette index indices[y * width + x]. transparentIndex < 0 means none.
bool WriteGif(const std::string& path, unsigned width, unsigned height, const std::vector<uint8_t>& indices,
              const std::vector<uint32_t>& paletteRgb, int transparentIndex);

// Uncompressed DDS. bitsPerPixel 16 (5-6-5), 24 (B, G, R) or 32 (B, G, R, A); rows are given
// bottom row first as R, G, B (, A) bytes and stored top row first, as DDS keeps them.
std::vector<uint8_t> MakeDds(unsigned width, unsigned height, unsigned bitsPerPixel,
                             const std::vector<uint8_t>& pixelsBottomUp, bool alpha);

} // namespace kestrel::test
