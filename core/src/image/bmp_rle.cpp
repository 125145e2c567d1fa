#include "bmp_rle.h"

namespace nimbus::image {
namespace {

constexpr uint8_t kEscape = 0;
constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfBitmap = 1;
constexpr uint8_t kDelta = 2;

// Writes pixels at the cursor, dropping those past the right edge.
struct Cursor {
    std::vector<uint8_t>& indices;
    uint64_t width;
    uint64_t height;
    uint64_t x = 0;
    uint64_t y = 0;

    void Put(uint8_t index)
    {
        if (x < width && y < height)
            indices[size_t(y * width + x)] = index;
        ++x;
    }
};

} // namespace

bool UnpackBmpRle(const uint8_t* src, size_t size, unsigned bits, uint32_t width, uint32_t height,
                  std::vector<uint8_t>& indices)
{
    if (bits != 4 && bits != 8)
        return false;
    indices.assign(size_t(width) * height, 0);
    Cursor at{indices, width, height};
    size_t in = 0;
    // Every step takes at least two bytes, so the loop ends with the data.
    while (at.y < height) {
        if (size - in < 2)
            return false;
        const uint8_t count = src[in], value = src[in + 1];
        in += 2;
        if (count != kEscape) {
            for (unsigned i = 0; i < count; ++i)
                at.Put(bits == 8 ? value : (i % 2 ? value & 15u : value >> 4));
            continue;
        }
        if (value == kEndOfLine) {
            at.x = 0;
            ++at.y;
        } else if (value == kEndOfBitmap) {
            return true;
        } else if (value == kDelta) {
            if (size - in < 2)
                return false;
            at.x += src[in];
            at.y += src[in + 1];
            in += 2;
        } else {
            // Absolute run: `value` pixels, padded to a whole 16-bit word.
            const size_t bytes = bits == 8 ? value : (value + 1u) / 2u;
            const size_t padded = bytes + bytes % 2;
            if (size - in < padded)
                return false;
            for (unsigned i = 0; i < value; ++i)
                at.Put(bits == 8 ? src[in + i] : (i % 2 ? src[in + i / 2] & 15u : src[in + i / 2] >> 4));
            in += padded;
        }
    }
    return true;
}

} // namespace nimbus::image
