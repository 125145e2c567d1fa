#include "dds_layout.h"

#include <initializer_list>

namespace nimbus::image {
namespace {

constexpr size_t kHeaderEnd = 128;        // "DDS " + 124-byte header
constexpr size_t kExtendedHeaderSize = 20; // after a "DX10" four-character code
constexpr size_t kHeightAt = 12;
constexpr size_t kWidthAt = 16;
constexpr size_t kFormatFlagsAt = 80;
constexpr size_t kFourCcAt = 84;
constexpr size_t kBitCountAt = 88;
constexpr uint32_t kFourCcFlag = 0x4;
constexpr uint64_t kSmallBlockBytes = 8;  // DXT1 and the one-channel block formats
constexpr uint64_t kLargeBlockBytes = 16; // DXT2 to DXT5 and the two-channel ones
constexpr uint64_t kMaxBitsPerPixel = 128;

uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

bool IsCode(const uint8_t* p, const char* code) { return p[0] == code[0] && p[1] == code[1] && p[2] == code[2] && p[3] == code[3]; }

// A code we do not know counts at the smallest block, so that nothing valid is refused.
uint64_t BlockBytes(const uint8_t* fourCc)
{
    for (const char* code : {"DXT2", "DXT3", "DXT4", "DXT5", "ATI2", "BC5U", "BC5S"})
        if (IsCode(fourCc, code))
            return kLargeBlockBytes;
    return kSmallBlockBytes;
}

size_t HeaderBytes(const uint8_t* data, size_t size)
{
    const bool extended = (U32(data + kFormatFlagsAt) & kFourCcFlag) && IsCode(data + kFourCcAt, "DX10");
    return extended && size >= kHeaderEnd + kExtendedHeaderSize ? kHeaderEnd + kExtendedHeaderSize : kHeaderEnd;
}

} // namespace

uint64_t DdsTopLevelBytes(const uint8_t* data, size_t size)
{
    if (!data || size < kHeaderEnd || !IsCode(data, "DDS "))
        return 0;
    const uint64_t width = U32(data + kWidthAt), height = U32(data + kHeightAt);
    if (U32(data + kFormatFlagsAt) & kFourCcFlag) {
        return ((width + 3) / 4) * ((height + 3) / 4) * BlockBytes(data + kFourCcAt);
    }
    const uint64_t bits = U32(data + kBitCountAt);
    if (bits == 0 || bits > kMaxBitsPerPixel)
        return 0;
    if (width * height > UINT64_MAX / kMaxBitsPerPixel)
        return UINT64_MAX; // no file can hold it
    return (width * height * bits + 7) / 8;
}

bool DdsFileHoldsPixels(const uint8_t* data, size_t size)
{
    const uint64_t needed = DdsTopLevelBytes(data, size);
    if (needed == 0)
        return false;
    return needed <= uint64_t(size - HeaderBytes(data, size));
}

} // namespace nimbus::image
