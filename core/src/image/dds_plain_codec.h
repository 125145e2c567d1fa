#pragma once
#include <cstddef>
#include <cstdint>

struct SkDecodedImage;

namespace nimbus::image {

// Uncompressed DDS files that FreeImage does not read: luminance (8 or 16 bits, with or
// without alpha) and the four-channel 8-bit formats of the "DX10" extended header. Only the
// first level of a mipmapped or array file is read.
bool IsPlainDds(const uint8_t* data, size_t size);
bool DecodePlainDds(const uint8_t* data, size_t size, SkDecodedImage& out);

} // namespace nimbus::image
