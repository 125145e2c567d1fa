#pragma once
#include <cstdint>
#include <vector>

namespace kestrel::test {

// A four-channel JPEG written by libjpeg at full quality without subsampling. `cmyk` holds
// width x height C, M, Y, K values as they are stored, top row first. ycck: the file keeps
// them as YCCK. adobeMarker: the file says they are stored Adobe's way (inverted).
std::vector<uint8_t> MakeCmykJpeg(uint32_t width, uint32_t height, const std::vector<uint8_t>& cmyk, bool ycck,
                                  bool adobeMarker);

} // namespace kestrel::test
