#include "dds16_codec.h"

#include "decoded_image.h"

namespace nimbus::image {
namespace {

constexpr size_t kHeaderEnd = 128; // "DDS " + 124-byte header
constexpr uint32_t kPixelFormatRgb = 0x40;
constexpr uint32_t kPixelFormatAlpha = 0x1;
constexpr uint32_t kPixelFormatFourCc = 0x4;

uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

unsigned MaskShift(uint32_t mask)
{
    unsigned shift = 0;
    while (shift < 32 && !(mask & (1u << shift)))
        ++shift;
    return shift;
}

unsigned MaskBits(uint32_t mask)
{
    if (mask == 0)
        return 0; // no channel; its shift would be 32, past the word
    unsigned bits = 0;
    for (uint32_t m = mask >> MaskShift(mask); m & 1; m >>= 1)
        ++bits;
    return bits;
}

// A k-bit channel value v becomes (v + 1) * 2^(8 - k) - 1, so that full scale is 255.
uint8_t Expand(uint32_t pixel, uint32_t mask)
{
    const unsigned bits = MaskBits(mask);
    if (bits == 0 || bits > 8)
        return 0;
    const uint32_t v = (pixel & mask) >> MaskShift(mask);
    return uint8_t(((v + 1) << (8 - bits)) - 1);
}

} // namespace

bool IsUncompressedDds16(const uint8_t* data, size_t size)
{
    if (!data || size < kHeaderEnd || data[0] != 'D' || data[1] != 'D' || data[2] != 'S' || data[3] != ' ')
        return false;
    const uint32_t flags = U32(data + 80);
    return U32(data + 4) == 124 && (flags & kPixelFormatRgb) && !(flags & kPixelFormatFourCc) &&
           U32(data + 88) == 16;
}

bool DecodeDds16(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    if (!IsUncompressedDds16(data, size))
        return false;
    const uint32_t height = U32(data + 12), width = U32(data + 16);
    const uint32_t redMask = U32(data + 92), greenMask = U32(data + 96), blueMask = U32(data + 100);
    const bool alpha = (U32(data + 80) & kPixelFormatAlpha) != 0;
    // Rows are packed two bytes a pixel; a file too short for them is refused.
    if (!SizeAcceptable(width, height, 4) || uint64_t(width) * height * 2 > size - kHeaderEnd)
        return false;
    if (!Allocate(out, width, height, alpha ? 32 : 24))
        return false;
    const unsigned n = alpha ? 4 : 3;
    const uint8_t* src = data + kHeaderEnd;
    for (uint32_t row = 0; row < height; ++row) {
        // DDS keeps the top row first.
        uint8_t* dst = out.pixels.data() + size_t(height - 1 - row) * width * n;
        for (uint32_t x = 0; x < width; ++x, src += 2, dst += n) {
            const uint32_t pixel = uint32_t(src[0]) | uint32_t(src[1]) << 8;
            dst[0] = Expand(pixel, redMask);
            dst[1] = Expand(pixel, greenMask);
            dst[2] = Expand(pixel, blueMask);
            if (alpha)
                dst[3] = 255;
        }
    }
    return true;
}

} // namespace nimbus::image
