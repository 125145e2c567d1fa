#include <bit>

#include "bmp_rle.h"
#include "codecs.h"

namespace nimbus::image {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;     // OS/2 1.x
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kOs2MaxHeaderSize = 64;   // OS/2 2.x: 16 to 64 bytes
constexpr size_t kV4HeaderSize = 108;
constexpr size_t kV5HeaderSize = 124;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitfields = 3;
constexpr uint32_t kCompressionAlphaBitfields = 6;
// Run-length data may skip most of an image with end-of-line and delta codes, but a few
// bytes cannot stand for an image of any size.
constexpr uint64_t kMaxRlePixelsPerByte = 1024;

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
    uint32_t masks[4] = {}; // red, green, blue, alpha
};

// A header field, or zero where a short OS/2 2.x header ends before it.
uint32_t Field(const uint8_t* h, size_t headerSize, size_t at, int bytes)
{
    if (at + size_t(bytes) > headerSize)
        return 0;
    return bytes == 2 ? ReadU16(h + at) : ReadU32(h + at);
}

bool KnownHeaderSize(uint32_t size)
{
    return size == kCoreHeaderSize || size == kV4HeaderSize || size == kV5HeaderSize ||
           (size >= 16 && size <= kOs2MaxHeaderSize && size % 4 == 0);
}

// `start` is where the information header begins: after the file header, or at 0 in a
// clipboard DIB.
bool ReadInfo(const uint8_t* data, size_t size, size_t start, DibInfo& info)
{
    if (size < start + 4)
        return false;
    const uint32_t headerSize = ReadU32(data + start);
    if (!KnownHeaderSize(headerSize) || size - start < headerSize)
        return false;
    const uint8_t* h = data + start;
    info.paletteOffset = start + headerSize;
    if (headerSize == kCoreHeaderSize) {
        info.width = ReadU16(h + 4);
        info.height = ReadU16(h + 6);
        info.bitCount = ReadU16(h + 10);
        info.paletteEntryBytes = 3;
        return true;
    }
    // Windows headers are 40, 52, 56 bytes and up; every other size up to 64 is OS/2 2.x,
    // where compression 3 and 4 mean Huffman and 24-bit run-length coding.
    const bool os2 = headerSize < kInfoHeaderSize || headerSize == kOs2MaxHeaderSize ||
                     (headerSize > kInfoHeaderSize && headerSize < kOs2MaxHeaderSize && headerSize != 52 && headerSize != 56);
    info.width = int32_t(Field(h, headerSize, 4, 4));
    info.height = int32_t(Field(h, headerSize, 8, 4));
    info.bitCount = Field(h, headerSize, 14, 2);
    info.compression = Field(h, headerSize, 16, 4);
    info.coloursUsed = Field(h, headerSize, 32, 4);
    switch (info.compression) {
    case kCompressionNone:
    case kCompressionRle8:
    case kCompressionRle4: return true;
    case kCompressionBitfields:
    case kCompressionAlphaBitfields: {
        if (os2)
            return false;
        // The masks follow a 40-byte header or sit at the same place inside a longer one.
        const unsigned count = info.compression == kCompressionAlphaBitfields || headerSize >= 56 ? 4 : 3;
        const size_t at = start + kInfoHeaderSize;
        if (size < at + 4 * count)
            return false;
        for (unsigned i = 0; i < count; ++i)
            info.masks[i] = ReadU32(data + at + 4 * i);
        if (headerSize == kInfoHeaderSize)
            info.paletteOffset += 4 * count;
        return true;
    }
    default: return false;
    }
}

// Palette index of pixel x in a packed row of 1, 2, 4 or 8 bits per pixel.
unsigned PackedIndex(const uint8_t* row, int64_t x, unsigned bits)
{
    const uint64_t bit = uint64_t(x) * bits;
    const unsigned shift = 8 - bits - unsigned(bit % 8);
    return (row[bit / 8] >> shift) & ((1u << bits) - 1u);
}

bool PutIndexed(const uint8_t* palette, size_t paletteCount, unsigned entryBytes, unsigned index, uint8_t* dst)
{
    if (index >= paletteCount)
        return false;
    const uint8_t* bgr = palette + size_t(index) * entryBytes;
    dst[0] = bgr[2], dst[1] = bgr[1], dst[2] = bgr[0];
    return true;
}

} // namespace

bool DecodeBmp(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    if (!data || size < kFileHeaderSize)
        return false;
    // Clipboard DIBs (".dib" files) start with the information header itself.
    const bool fileHeader = data[0] == 'B' && data[1] == 'M';
    DibInfo info;
    if (!ReadInfo(data, size, fileHeader ? kFileHeaderSize : 0, info))
        return false;
    const unsigned bits = info.bitCount;
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    const bool bitfields = info.compression == kCompressionBitfields || info.compression == kCompressionAlphaBitfields;
    const bool rle = info.compression == kCompressionRle8 || info.compression == kCompressionRle4;
    if (bitfields && bits != 16 && bits != 32)
        return false;
    if ((info.compression == kCompressionRle8 && bits != 8) || (info.compression == kCompressionRle4 && bits != 4))
        return false;
    const bool topFirst = info.height < 0;
    // Run-length data is always stored bottom row first.
    if (rle && topFirst)
        return false;
    const int64_t width = info.width;
    const int64_t height = topFirst ? -info.height : info.height;
    const bool alpha = bitfields && info.masks[3] != 0;
    if (width <= 0 || height <= 0 || !SizeAcceptable(uint64_t(width), uint64_t(height), alpha ? 4 : 3))
        return false;

    // Palette, for the indexed depths; a few colours may precede the pixels of others too.
    size_t paletteCount = 0;
    if (bits <= 8) {
        const uint32_t full = 1u << bits;
        paletteCount = info.coloursUsed == 0 || info.coloursUsed > full ? full : info.coloursUsed;
        if (info.paletteOffset > size || (size - info.paletteOffset) / info.paletteEntryBytes < paletteCount)
            return false;
    }
    const uint8_t* palette = data + info.paletteOffset;

    Channel channels[4];
    if (bits == 16 || bits == 32) {
        static constexpr uint32_t k555[4] = {0x7C00, 0x03E0, 0x001F, 0};
        static constexpr uint32_t k888[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0};
        const uint32_t* masks = bitfields ? info.masks : bits == 16 ? k555 : k888;
        for (int i = 0; i < 4; ++i)
            if (!MakeChannel(masks[i], channels[i]))
                return false;
    }

    size_t pixelOffset;
    if (fileHeader) {
        pixelOffset = ReadU32(data + 10);
    } else {
        const uint64_t extra = bits <= 8 ? paletteCount : uint64_t(info.coloursUsed);
        const uint64_t end = info.paletteOffset + extra * info.paletteEntryBytes;
        if (end > size)
            return false;
        pixelOffset = size_t(end);
    }
    if (pixelOffset > size)
        return false;

    if (rle) {
        if (uint64_t(width) * uint64_t(height) > uint64_t(size - pixelOffset) * kMaxRlePixelsPerByte)
            return false;
        std::vector<uint8_t> indices;
        if (!UnpackBmpRle(data + pixelOffset, size - pixelOffset, bits, uint32_t(width), uint32_t(height), indices))
            return false;
        if (!Allocate(out, uint32_t(width), uint32_t(height), 24))
            return false;
        uint8_t* dst = out.pixels.data();
        for (const uint8_t index : indices) {
            if (!PutIndexed(palette, paletteCount, info.paletteEntryBytes, index, dst))
                return false;
            dst += 3;
        }
        return true;
    }

    const uint64_t rowBytes = (uint64_t(width) * bits + 7) / 8;
    const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    if (uint64_t(height - 1) * stride + rowBytes > size - pixelOffset)
        return false;

    const unsigned outBytes = alpha ? 4 : 3;
    if (!Allocate(out, uint32_t(width), uint32_t(height), uint8_t(outBytes * 8)))
        return false;
    bool anyAlpha = false;
    for (int64_t r = 0; r < height; ++r) {
        const uint8_t* src = data + pixelOffset + size_t(r) * stride;
        const int64_t row = topFirst ? height - 1 - r : r;
        uint8_t* dst = out.pixels.data() + size_t(row) * size_t(width) * outBytes;
        for (int64_t x = 0; x < width; ++x, dst += outBytes) {
            if (bits <= 8) {
                if (!PutIndexed(palette, paletteCount, info.paletteEntryBytes, PackedIndex(src, x, bits), dst))
                    return false;
            } else if (bits == 24) {
                const uint8_t* bgr = src + x * 3;
                dst[0] = bgr[2], dst[1] = bgr[1], dst[2] = bgr[0];
            } else {
                const uint32_t pixel = bits == 16 ? ReadU16(src + x * 2) : ReadU32(src + x * 4);
                for (int c = 0; c < 3; ++c)
                    dst[c] = channels[c].Expand(pixel);
                if (alpha) {
                    dst[3] = channels[3].Expand(pixel);
                    anyAlpha = anyAlpha || dst[3] != 0;
                }
            }
        }
    }
    // Many writers declare an alpha mask and leave it all zero: such an image is opaque.
    if (alpha && !anyAlpha)
        for (size_t i = 3; i < out.pixels.size(); i += 4)
            out.pixels[i] = 255;
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
