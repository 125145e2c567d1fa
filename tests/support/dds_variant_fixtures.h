#pragma once
#include <cstdint>
#include <vector>

#include "image_fixtures.h"

namespace kestrel::test {

enum class DdsKind {
    kLuminance8,      // grey images
    kLuminance16,
    kLuminanceAlpha8, // 8-bit luminance and 8-bit alpha (32-bit images)
    kMipmapped32,     // B, G, R, A with a chain of smaller levels after the first
    kDx10Rgba,        // DXGI R8G8B8A8
    kDx10Bgra,        // DXGI B8G8R8A8
    kDx10Bgrx,        // DXGI B8G8R8X8 (24-bit images)
    kDxt1,
    kDxt3,
    kDxt5,
    kDx10Bc1,         // the DXT1 blocks behind a DX10 header
    kDx10Bc3,         // the DXT5 blocks behind a DX10 header
};

// A DDS of the given kind holding the image. The block kinds need each 4 x 4 block to hold
// at most two colours with every channel 0 or 255, and (DXT3) alphas that are multiples of
// 17 or (DXT5) at most two alphas a block; other kinds hold any image of their colours.
std::vector<uint8_t> MakeDdsVariant(const RefImage& image, DdsKind kind);

} // namespace kestrel::test
