#include "dds_plain_codec.h"

#include "decoded_image.h"

namespace nimbus::image {
namespace {

constexpr size_t kHeaderEnd = 128;         // "DDS " + 124-byte header
constexpr size_t kExtendedHeaderSize = 20; // after a "DX10" four-character code
constexpr size_t kFormatFlagsAt = 80;
constexpr size_t kFourCcAt = 84;
constexpr size_t kBitCountAt = 88;
constexpr size_t kMasksAt = 92; // red (luminance), green, blue, alpha
constexpr uint32_t kAlphaPixels = 0x1;
constexpr uint32_t kFourCcFlag = 0x4;
constexpr uint32_t kLuminance = 0x20000;

// DXGI formats read here.
constexpr uint32_t kDxgiRgba8 = 28;
constexpr uint32_t kDxgiRgba8Srgb = 29;
constexpr uint32_t kDxgiBgra8 = 87;
constexpr uint32_t kDxgiBgrx8 = 88;
constexpr uint32_t kDxgiBgra8Srgb = 91;
constexpr uint32_t kDxgiBgrx8Srgb = 93;

uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

bool HasHeader(const uint8_t* data, size_t size)
{
    return data && size >= kHeaderEnd && data[0] == 'D' && data[1] == 'D' && data[2] == 'S' && data[3] == ' ' &&
           U32(data + 4) == 124;
}

bool IsExtended(const uint8_t* data)
{
    const uint8_t* c = data + kFourCcAt;
    return (U32(data + kFormatFlagsAt) & kFourCcFlag) && c[0] == 'D' && c[1] == 'X' && c[2] == '1' && c[3] == '0';
}

bool IsLuminance(const uint8_t* data)
{
    const uint32_t flags = U32(data + kFormatFlagsAt);
    const uint32_t bits = U32(data + kBitCountAt);
    return (flags & kLuminance) && !(flags & kFourCcFlag) && (bits == 8 || bits == 16);
}

// Byte positions of R, G, B, A in a four-byte pixel; alpha < 0 when the format has none.
struct Layout {
    int red, green, blue, alpha;
};

bool DxgiLayout(uint32_t format, Layout& layout)
{
    switch (format) {
    case kDxgiRgba8:
    case kDxgiRgba8Srgb: layout = {0, 1, 2, 3}; return true;
    case kDxgiBgra8:
    case kDxgiBgra8Srgb: layout = {2, 1, 0, 3}; return true;
    case kDxgiBgrx8:
    case kDxgiBgrx8Srgb: layout = {2, 1, 0, -1}; return true;
    default: return false;
    }
}

unsigned Shift(uint32_t mask)
{
    unsigned s = 0;
    while (s < 31 && !(mask & (1u << s)))
        ++s;
    return s;
}

unsigned Bits(uint32_t mask)
{
    unsigned n = 0;
    for (uint32_t m = mask >> Shift(mask); m & 1; m >>= 1)
        ++n;
    return n;
}

// A channel of k bits, widened as the 16-bit colour files are: (v + 1) * 2^(8 - k) - 1;
// wider channels keep their top 8 bits.
uint8_t Channel(uint32_t pixel, uint32_t mask)
{
    if (mask == 0)
        return 0;
    const unsigned bits = Bits(mask);
    const uint32_t v = (pixel & mask) >> Shift(mask);
    if (bits >= 8)
        return uint8_t(v >> (bits - 8));
    return uint8_t(((v + 1) << (8 - bits)) - 1);
}

bool DecodeLuminance(const uint8_t* data, size_t size, uint32_t width, uint32_t height, SkDecodedImage& out)
{
    const unsigned bytes = U32(data + kBitCountAt) / 8;
    const uint32_t lumaMask = U32(data + kMasksAt);
    const bool alpha = (U32(data + kFormatFlagsAt) & kAlphaPixels) != 0;
    const uint32_t alphaMask = alpha ? U32(data + kMasksAt + 12) : 0;
    if (lumaMask == 0 || (bytes == 1 && (lumaMask | alphaMask) > 0xFF))
        return false;
    if (uint64_t(width) * height * bytes > size - kHeaderEnd || !Allocate(out, width, height, alpha ? 32 : 24))
        return false;
    const unsigned n = alpha ? 4 : 3;
    const uint8_t* src = data + kHeaderEnd;
    for (uint32_t row = 0; row < height; ++row) {
        uint8_t* dst = out.pixels.data() + size_t(height - 1 - row) * width * n; // DDS keeps the top row first
        for (uint32_t x = 0; x < width; ++x, src += bytes, dst += n) {
            const uint32_t pixel = bytes == 1 ? src[0] : uint32_t(src[0]) | uint32_t(src[1]) << 8;
            dst[0] = dst[1] = dst[2] = Channel(pixel, lumaMask);
            if (alpha)
                dst[3] = Channel(pixel, alphaMask);
        }
    }
    return true;
}

bool DecodeExtended(const uint8_t* data, size_t size, uint32_t width, uint32_t height, SkDecodedImage& out)
{
    Layout layout;
    if (size < kHeaderEnd + kExtendedHeaderSize || !DxgiLayout(U32(data + kHeaderEnd), layout))
        return false;
    const size_t start = kHeaderEnd + kExtendedHeaderSize;
    if (uint64_t(width) * height * 4 > size - start || !Allocate(out, width, height, layout.alpha < 0 ? 24 : 32))
        return false;
    const unsigned n = layout.alpha < 0 ? 3 : 4;
    const uint8_t* src = data + start;
    for (uint32_t row = 0; row < height; ++row) {
        uint8_t* dst = out.pixels.data() + size_t(height - 1 - row) * width * n;
        for (uint32_t x = 0; x < width; ++x, src += 4, dst += n) {
            dst[0] = src[layout.red];
            dst[1] = src[layout.green];
            dst[2] = src[layout.blue];
            if (layout.alpha >= 0)
                dst[3] = src[layout.alpha];
        }
    }
    return true;
}

} // namespace

bool IsPlainDds(const uint8_t* data, size_t size)
{
    if (!HasHeader(data, size))
        return false;
    Layout layout;
    return IsLuminance(data) ||
           (IsExtended(data) && size >= kHeaderEnd + kExtendedHeaderSize && DxgiLayout(U32(data + kHeaderEnd), layout));
}

bool DecodePlainDds(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    if (!IsPlainDds(data, size))
        return false;
    const uint32_t height = U32(data + 12), width = U32(data + 16);
    if (!SizeAcceptable(width, height, 4))
        return false;
    return IsLuminance(data) ? DecodeLuminance(data, size, width, height, out)
                             : DecodeExtended(data, size, width, height, out);
}

} // namespace nimbus::image
