#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace nimbus::image {

// Expands BMP run-length data (bits 8: RLE8, 4: RLE4) into width x height palette indices,
// bottom row first. Pixels the data skips (deltas, early ends of line) stay index 0; runs and
// deltas that leave the image are cut at its edges. False when the data ends before the
// end-of-bitmap code or the last row.
bool UnpackBmpRle(const uint8_t* src, size_t size, unsigned bits, uint32_t width, uint32_t height,
                  std::vector<uint8_t>& indices);

} // namespace nimbus::image
