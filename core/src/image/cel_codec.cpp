#include "codecs.h"

namespace nimbus::image {
namespace {

constexpr uint16_t kMagic = 0x9119;
constexpr size_t kHeaderSize = 32;
constexpr size_t kPaletteSize = 768;

uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

} // namespace

bool DecodeCel(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    if (!data || size < kHeaderSize + kPaletteSize)
        return false;
    if (ReadU16(data) != kMagic || data[10] != 8 || data[11] != 0)
        return false;
    const uint32_t width = ReadU16(data + 2);
    const uint32_t height = ReadU16(data + 4);
    if (!SizeAcceptable(width, height, 3))
        return false;
    // The size field at offset 12 is not trusted; the pixels must simply be there.
    const size_t pixelCount = size_t(width) * height;
    if (size - kHeaderSize - kPaletteSize < pixelCount)
        return false;
    if (!Allocate(out, width, height, 24))
        return false;

    // 6-bit palette components are widened to 8 bits.
    uint8_t palette[kPaletteSize];
    for (size_t i = 0; i < kPaletteSize; ++i)
        palette[i] = uint8_t(data[kHeaderSize + i] << 2);
    const uint8_t* src = data + kHeaderSize + kPaletteSize;
    for (uint32_t y = 0; y < height; ++y) {
        // File rows come top first.
        uint8_t* dst = out.pixels.data() + size_t(height - 1 - y) * width * 3;
        for (uint32_t x = 0; x < width; ++x, dst += 3) {
            const uint8_t* rgb = palette + size_t(*src++) * 3;
            dst[0] = rgb[0], dst[1] = rgb[1], dst[2] = rgb[2];
        }
    }
    return true;
}

} // namespace nimbus::image
