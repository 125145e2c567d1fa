#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "codecs.h"

namespace nimbus::image {
namespace {

constexpr size_t kHeaderSize = 18;

uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

struct TgaHeader {
    uint8_t idLength;
    uint8_t colourMapType;
    uint8_t imageType;
    uint16_t mapFirst;
    uint16_t mapLength;
    uint8_t mapEntryBits;
    uint16_t width;
    uint16_t height;
    uint8_t depth;
    uint8_t descriptor;
};

TgaHeader ParseHeader(const uint8_t* p)
{
    TgaHeader h{};
    h.idLength = p[0];
    h.colourMapType = p[1];
    h.imageType = p[2];
    h.mapFirst = ReadU16(p + 3);
    h.mapLength = ReadU16(p + 5);
    h.mapEntryBits = p[7];
    h.width = ReadU16(p + 12);
    h.height = ReadU16(p + 14);
    h.depth = p[16];
    h.descriptor = p[17];
    return h;
}

enum class Kind { kMapped, kTrueColour, kGrey };

// Which depths each kind allows; every other pairing is refused. 16-bit grey carries alpha;
// 16-bit mapped pixels are indices into a map longer than 256 entries.
bool DepthAllowed(Kind kind, uint8_t depth)
{
    switch (kind) {
    case Kind::kMapped:
    case Kind::kGrey: return depth == 8 || depth == 16;
    case Kind::kTrueColour: return depth == 15 || depth == 16 || depth == 24 || depth == 32;
    }
    return false;
}

bool MapEntryAllowed(uint8_t bits) { return bits == 15 || bits == 16 || bits == 24 || bits == 32; }

// A colour map widened to R, G, B, A per entry; 15- and 16-bit entries widen as 16-bit pixels do.
std::vector<uint8_t> ExpandMap(const uint8_t* map, size_t entries, uint8_t entryBits)
{
    std::vector<uint8_t> rgba(entries * 4);
    const unsigned bytes = (entryBits + 7u) / 8u;
    for (size_t i = 0; i < entries; ++i, map += bytes) {
        uint8_t* d = rgba.data() + i * 4;
        if (bytes == 2) {
            const unsigned w = ReadU16(map);
            d[0] = uint8_t(((w >> 10) & 31u) << 3);
            d[1] = uint8_t(((w >> 5) & 31u) << 3);
            d[2] = uint8_t((w & 31u) << 3);
            d[3] = 255;
        } else {
            d[0] = map[2], d[1] = map[1], d[2] = map[0];
            d[3] = bytes == 4 ? map[3] : 255;
        }
    }
    return rgba;
}

// Expands run-length packets into `dst` (pixelCount pixels of `bytes` bytes each).
// A run reaching past the last pixel is cut; data ending early is refused.
bool UnpackRle(const uint8_t* src, size_t srcSize, size_t bytes, uint8_t* dst, size_t pixelCount)
{
    size_t in = 0;
    size_t done = 0;
    while (done < pixelCount) {
        if (in >= srcSize)
            return false;
        const uint8_t h = src[in++];
        const size_t count = std::min<size_t>((h & 127u) + 1u, pixelCount - done);
        if (h & 128u) {
            if (srcSize - in < bytes)
                return false;
            // Copy the value once, then keep doubling what is already there.
            uint8_t* d = dst + done * bytes;
            const size_t total = count * bytes;
            std::memcpy(d, src + in, bytes);
            for (size_t filled = bytes; filled < total;) {
                const size_t n = std::min(filled, total - filled);
                std::memcpy(d + filled, d, n);
                filled += n;
            }
            in += bytes;
        } else {
            const size_t listed = (h & 127u) + 1u;
            if ((srcSize - in) / bytes < listed)
                return false;
            std::memcpy(dst + done * bytes, src + in, count * bytes);
            in += listed * bytes;
        }
        done += count;
    }
    return true;
}

// The colour map of a mapped image: entry i of the file is pixel value first + i.
struct ColourMap {
    std::vector<uint8_t> rgba;
    size_t first = 0;
    size_t entries = 0;
};

// Converts one stored row into R, G, B (, A); `d` is where the first stored pixel goes and
// `step` moves to the next one (negative for right-to-left rows). False for an index outside
// the colour map.
bool ConvertRow(Kind kind, uint8_t depth, const uint8_t* s, uint32_t width, const ColourMap& map, bool alpha,
                uint8_t* d, ptrdiff_t step)
{
    switch (kind) {
    case Kind::kMapped:
        for (uint32_t x = 0; x < width; ++x, d += step) {
            const size_t value = depth == 16 ? ReadU16(s + 2 * x) : s[x];
            if (value < map.first || value - map.first >= map.entries)
                return false;
            const uint8_t* e = map.rgba.data() + (value - map.first) * 4;
            d[0] = e[0], d[1] = e[1], d[2] = e[2];
            if (alpha)
                d[3] = e[3];
        }
        return true;
    case Kind::kGrey:
        if (depth == 16) {
            for (uint32_t x = 0; x < width; ++x, s += 2, d += step)
                d[0] = d[1] = d[2] = s[0], d[3] = s[1];
        } else {
            for (uint32_t x = 0; x < width; ++x, d += step)
                d[0] = d[1] = d[2] = s[x];
        }
        return true;
    case Kind::kTrueColour: break;
    }
    if (depth == 15 || depth == 16) {
        for (uint32_t x = 0; x < width; ++x, s += 2, d += step) {
            const unsigned w = ReadU16(s);
            d[0] = uint8_t(((w >> 10) & 31u) << 3);
            d[1] = uint8_t(((w >> 5) & 31u) << 3);
            d[2] = uint8_t((w & 31u) << 3);
        }
    } else if (depth == 24) {
        for (uint32_t x = 0; x < width; ++x, s += 3, d += step)
            d[0] = s[2], d[1] = s[1], d[2] = s[0];
    } else {
        for (uint32_t x = 0; x < width; ++x, s += 4, d += step)
            d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = s[3];
    }
    return true;
}

} // namespace

bool DecodeTga(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    if (!data || size < kHeaderSize)
        return false;
    const TgaHeader h = ParseHeader(data);
    Kind kind;
    bool rle = false;
    switch (h.imageType) {
    case 1: kind = Kind::kMapped; break;
    case 9: kind = Kind::kMapped, rle = true; break;
    case 2: kind = Kind::kTrueColour; break;
    case 10: kind = Kind::kTrueColour, rle = true; break;
    case 3: kind = Kind::kGrey; break;
    case 11: kind = Kind::kGrey, rle = true; break;
    default: return false;
    }
    if (!DepthAllowed(kind, h.depth))
        return false;
    if (kind == Kind::kMapped && (h.colourMapType != 1 || !MapEntryAllowed(h.mapEntryBits)))
        return false;

    size_t pos = kHeaderSize + h.idLength;
    if (pos > size)
        return false;
    ColourMap map;
    if (h.colourMapType == 1) {
        // Grey and true-colour files may still carry a map; it is skipped, not read as pixels.
        const size_t mapBytes = size_t(h.mapLength) * ((h.mapEntryBits + 7u) / 8u);
        if (size - pos < mapBytes)
            return false;
        if (kind == Kind::kMapped) {
            map.rgba = ExpandMap(data + pos, h.mapLength, h.mapEntryBits);
            map.first = h.mapFirst;
            map.entries = h.mapLength;
        }
        pos += mapBytes;
    }

    const unsigned srcBytes = (h.depth + 7u) / 8u;
    const bool alpha = kind == Kind::kMapped ? h.mapEntryBits == 32 : kind == Kind::kGrey ? h.depth == 16 : h.depth == 32;
    const uint8_t outBpp = alpha ? 32 : 24;
    const unsigned outBytes = outBpp / 8u;
    if (!SizeAcceptable(h.width, h.height, outBytes))
        return false;
    const size_t pixelCount = size_t(h.width) * h.height;
    const size_t remaining = size - pos;
    // Refuse before allocating when the data cannot possibly cover the image.
    if (rle) {
        if (pixelCount > remaining / (1u + srcBytes) * 128u)
            return false;
    } else if (remaining / srcBytes < pixelCount) {
        return false;
    }

    // Every byte of the unpacked buffer is written before it is read, so it is not zeroed first.
    std::unique_ptr<uint8_t[]> unpacked;
    const uint8_t* src = data + pos;
    if (rle) {
        unpacked = std::make_unique_for_overwrite<uint8_t[]>(pixelCount * srcBytes);
        if (!UnpackRle(src, remaining, srcBytes, unpacked.get(), pixelCount))
            return false;
        src = unpacked.get();
    }

    if (!Allocate(out, h.width, h.height, outBpp))
        return false;
    const bool topFirst = (h.descriptor & 32u) != 0;
    const bool rightToLeft = (h.descriptor & 16u) != 0;
    for (uint32_t y = 0; y < h.height; ++y) {
        const uint32_t row = topFirst ? h.height - 1 - y : y;
        uint8_t* dstRow = out.pixels.data() + size_t(row) * h.width * outBytes;
        const uint8_t* srcRow = src + size_t(y) * h.width * srcBytes;
        uint8_t* first = rightToLeft ? dstRow + size_t(h.width - 1) * outBytes : dstRow;
        const ptrdiff_t step = rightToLeft ? -ptrdiff_t(outBytes) : ptrdiff_t(outBytes);
        if (!ConvertRow(kind, h.depth, srcRow, h.width, map, alpha, first, step))
            return false;
    }
    return true;
}

bool EncodeTga(const ImageView& image, std::vector<uint8_t>& file)
{
    // The header holds 16-bit sizes; a larger image cannot be written faithfully.
    if (!image.pixels || image.width == 0 || image.height == 0 || image.width > 0xFFFF ||
        image.height > 0xFFFF || (image.bpp != 24 && image.bpp != 32))
        return false;
    const unsigned bytes = image.bpp / 8u;
    const size_t pixelBytes = size_t(image.width) * image.height * bytes;
    file.assign(kHeaderSize + pixelBytes, 0);
    uint8_t* h = file.data();
    h[2] = 2; // uncompressed true colour
    h[12] = uint8_t(image.width), h[13] = uint8_t(image.width >> 8);
    h[14] = uint8_t(image.height), h[15] = uint8_t(image.height >> 8);
    h[16] = image.bpp;
    h[17] = 0; // bottom-left origin
    uint8_t* d = file.data() + kHeaderSize;
    for (size_t i = 0; i < pixelBytes; i += bytes) {
        d[i] = image.pixels[i + 2];
        d[i + 1] = image.pixels[i + 1];
        d[i + 2] = image.pixels[i];
        if (bytes == 4)
            d[i + 3] = image.pixels[i + 3];
    }
    return true;
}

} // namespace nimbus::image
