#include <bit>

#include "codecs.h"

namespace nimbus::image {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitfields = 3;

uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
void PutU16(uint8_t* p, uint32_t v) { p[0] = uint8_t(v), p[1] = uint8_t(v >> 8); }
void PutU32(uint8_t* p, uint32_t v) { PutU16(p, v), PutU16(p + 2, v >> 16); }

// One colour channel of a 16- or 32-bit pixel, cut out with its mask.
struct Channel {
    uint32_t mask = 0;
    unsigned shift = 0;
    unsigned bits = 0;

    uint8_t Expand(uint32_t pixel) const
    {
        if (mask == 0)
            return 0;
        const uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return uint8_t(v >> (bits - 8));
        return uint8_t(v * 255u / ((1u << bits) - 1u));
    }
};

// False for a mask whose bits are not contiguous.
bool MakeChannel(uint32_t mask, Channel& c)
{
    c = Channel{};
    if (mask == 0)
        return true;
    c.mask = mask;
    c.shift = unsigned(std::countr_zero(mask));
    const uint32_t field = mask >> c.shift;
    c.bits = unsigned(std::popcount(field));
    return (field & (field + 1u)) == 0;
}

struct DibInfo {
    int64_t width = 0;
    int64_t height = 0; // negative: rows stored top first
    unsigned bitCount = 0;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    size_t paletteOffset = 0;
    unsigned paletteEntryBytes = 4;
    uint32_t masks[3] = {};
};

bool ReadInfo(const uint8_t* data, size_t size, DibInfo& info)
{
    if (size < kFileHeaderSize + 4)
        return false;
    const uint32_t headerSize = ReadU32(data + kFileHeaderSize);
    if (size - kFileHeaderSize < headerSize)
        return false;
    const uint8_t* h = data + kFileHeaderSize;
    info.paletteOffset = kFileHeaderSize + headerSize;
    if (headerSize == kCoreHeaderSize) {
        info.width = ReadU16(h + 4);
        info.height = ReadU16(h + 6);
        info.bitCount = ReadU16(h + 10);
        info.paletteEntryBytes = 3;
        return true;
    }
    // 64 is the OS/2 header, where compression 3 means something else.
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
        headerSize != 108 && headerSize != 124)
        return false;
    info.width = int32_t(ReadU32(h + 4));
    info.height = int32_t(ReadU32(h + 8));
    info.bitCount = ReadU16(h + 14);
    info.compression = ReadU32(h + 16);
    info.coloursUsed = ReadU32(h + 32);
    if (info.compression == kCompressionBitfields && headerSize != 64) {
        // The masks follow a 40-byte header or sit at the same place inside a longer one.
        const size_t at = kFileHeaderSize + kInfoHeaderSize;
        if (size < at + 12)
            return false;
        for (int i = 0; i < 3; ++i)
            info.masks[i] = ReadU32(data + at + 4 * i);
        if (headerSize == kInfoHeaderSize)
            info.paletteOffset += 12;
        return true;
    }
    return info.compression == kCompressionNone;
}

} // namespace

bool DecodeBmp(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    if (!data || size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M')
        return false;
    DibInfo info;
    if (!ReadInfo(data, size, info))
        return false;
    const unsigned bits = info.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (info.compression == kCompressionBitfields && bits != 16 && bits != 32)
        return false;
    const bool topFirst = info.height < 0;
    const int64_t width = info.width;
    const int64_t height = topFirst ? -info.height : info.height;
    if (width <= 0 || height <= 0 || !SizeAcceptable(uint64_t(width), uint64_t(height), 3))
        return false;

    // Palette, for the indexed depths.
    size_t paletteCount = 0;
    if (bits <= 8) {
        const uint32_t full = 1u << bits;
        paletteCount = info.coloursUsed == 0 || info.coloursUsed > full ? full : info.coloursUsed;
        if (info.paletteOffset > size || (size - info.paletteOffset) / info.paletteEntryBytes < paletteCount)
            return false;
    }
    const uint8_t* palette = data + info.paletteOffset;

    Channel channels[3];
    if (bits == 16 || bits == 32) {
        static constexpr uint32_t k555[3] = {0x7C00, 0x03E0, 0x001F};
        static constexpr uint32_t k888[3] = {0xFF0000, 0x00FF00, 0x0000FF};
        const uint32_t* masks = info.compression == kCompressionBitfields ? info.masks : bits == 16 ? k555 : k888;
        for (int i = 0; i < 3; ++i)
            if (!MakeChannel(masks[i], channels[i]))
                return false;
    }

    const uint64_t rowBytes = (uint64_t(width) * bits + 7) / 8;
    const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    const uint32_t pixelOffset = ReadU32(data + 10);
    if (pixelOffset > size || uint64_t(height - 1) * stride + rowBytes > size - pixelOffset)
        return false;

    if (!Allocate(out, uint32_t(width), uint32_t(height), 24))
        return false;
    for (int64_t r = 0; r < height; ++r) {
        const uint8_t* src = data + pixelOffset + size_t(r) * stride;
        const int64_t row = topFirst ? height - 1 - r : r;
        uint8_t* dst = out.pixels.data() + size_t(row) * size_t(width) * 3;
        for (int64_t x = 0; x < width; ++x, dst += 3) {
            if (bits <= 8) {
                unsigned index;
                if (bits == 8)
                    index = src[x];
                else if (bits == 4)
                    index = (src[x / 2] >> (x % 2 ? 0 : 4)) & 15u;
                else
                    index = (src[x / 8] >> (7 - x % 8)) & 1u;
                if (index >= paletteCount)
                    return false;
                const uint8_t* bgr = palette + size_t(index) * info.paletteEntryBytes;
                dst[0] = bgr[2], dst[1] = bgr[1], dst[2] = bgr[0];
            } else if (bits == 24) {
                const uint8_t* bgr = src + x * 3;
                dst[0] = bgr[2], dst[1] = bgr[1], dst[2] = bgr[0];
            } else {
                const uint32_t pixel = bits == 16 ? ReadU16(src + x * 2) : ReadU32(src + x * 4);
                for (int c = 0; c < 3; ++c)
                    dst[c] = channels[c].Expand(pixel);
            }
        }
    }
    return true;
}

bool EncodeBmp(const ImageView& image, std::vector<uint8_t>& file)
{
    if (!image.pixels || image.width == 0 || image.height == 0 || (image.bpp != 24 && image.bpp != 32))
        return false;
    const unsigned bytes = image.bpp / 8u;
    const uint64_t stride = (uint64_t(image.width) * 3 + 3) / 4 * 4;
    const uint64_t pixelBytes = stride * image.height;
    const size_t headers = kFileHeaderSize + kInfoHeaderSize;
    if (image.width > 0x7FFFFFFF || image.height > 0x7FFFFFFF || headers + pixelBytes > 0xFFFFFFFF)
        return false;
    file.assign(headers + size_t(pixelBytes), 0);
    uint8_t* p = file.data();
    p[0] = 'B', p[1] = 'M';
    PutU32(p + 2, uint32_t(file.size()));
    PutU32(p + 10, uint32_t(headers));
    uint8_t* h = p + kFileHeaderSize;
    PutU32(h, kInfoHeaderSize);
    PutU32(h + 4, image.width);
    PutU32(h + 8, image.height);
    PutU16(h + 12, 1);
    PutU16(h + 14, 24);
    PutU32(h + 20, uint32_t(pixelBytes)); // includes the row padding, as readers expect
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint8_t* src = image.pixels + size_t(y) * image.width * bytes;
        uint8_t* dst = p + headers + size_t(y) * stride;
        for (uint32_t x = 0; x < image.width; ++x, src += bytes, dst += 3)
            dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
    }
    return true;
}

} // namespace nimbus::image
