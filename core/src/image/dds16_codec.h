#pragma once
#include <cstddef>
#include <cstdint>

struct SkDecodedImage;

namespace nimbus::image {

// FreeImage widens 16-bit DDS pixels its own way; these files are read here so that every
// channel keeps the engine's expansion rule.
bool IsUncompressedDds16(const uint8_t* data, size_t size);
bool DecodeDds16(const uint8_t* data, size_t size, SkDecodedImage& out);

} // namespace nimbus::image
