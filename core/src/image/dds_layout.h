#pragma once
// What a DDS file's header promises, checked against the bytes that follow it before any
// decoder allocates for the image.

#include <cstddef>
#include <cstdint>

namespace nimbus::image {

// The fewest bytes the top level of the image can take as the header describes it: block
// compressed formats at their block size, others at their bits per pixel. Zero when the
// header cannot be read.
uint64_t DdsTopLevelBytes(const uint8_t* data, size_t size);

// Whether the file holds the pixel data of the top level after its header: a truncated file
// that claims a huge image is refused, where a decoder would allocate for all of it.
bool DdsFileHoldsPixels(const uint8_t* data, size_t size);

} // namespace nimbus::image
