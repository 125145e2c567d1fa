#pragma once
#include <cstdint>
#include <vector>

#include "image_fixtures.h"

namespace kestrel::test {

enum class BmpCompression : uint32_t { kNone = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6 };

struct BmpVariantOptions {
    uint16_t bitCount = 8;      // 1, 2, 4, 8 (paletted), 16 or 32 (with masks)
    uint32_t headerSize = 40;   // 12 (OS/2 1.x), 64 (OS/2 2.x), 40, 108 or 124
    BmpCompression compression = BmpCompression::kNone;
    bool fileHeader = true;     // false: a clipboard DIB
    bool rleDeltas = false;     // RLE: skip runs of palette index 0 with delta codes
    uint32_t masks[4] = {};     // red, green, blue, alpha for the bit-field kinds
};

// A BMP in one of the variants beyond MakeBmp: other headers, run-length coding, masks.
// Paletted images must have index 0 as their first colour met (bottom-left pixel) when
// rleDeltas is set, since the skipped pixels decode to it. Mask channels take each colour's
// top bits, so colours must be exact at the masks' widths.
std::vector<uint8_t> MakeBmpVariant(const RefImage& image, const BmpVariantOptions& options);

} // namespace kestrel::test
