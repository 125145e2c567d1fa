#include <algorithm>
#include <cstring>

#include "codecs.h"

namespace nimbus::image {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteSize = 768;
constexpr size_t kHeaderPaletteAt = 16; // 16 RGB entries for images of up to 16 colours
constexpr unsigned kHeaderPaletteEntries = 16;

uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

// Decodes one scan line of `line.size()` bytes; a run reaching past the line end is cut.
bool DecodeLine(const uint8_t* src, size_t srcSize, size_t& in, std::vector<uint8_t>& line)
{
    size_t filled = 0;
    while (filled < line.size()) {
        if (in >= srcSize)
            return false;
        const uint8_t b = src[in++];
        size_t count = 1;
        uint8_t value = b;
        if ((b & 0xC0u) == 0xC0u) {
            if (in >= srcSize)
                return false;
            count = b & 63u;
            value = src[in++];
        }
        count = std::min(count, line.size() - filled);
        std::memset(line.data() + filled, value, count);
        filled += count;
    }
    return true;
}

// Images of 2 to 16 colours: 1, 2 or 4 bits per pixel in one plane, or 1 bit in up to
// four planes; the colours come from the header's palette.
bool DecodeLowColour(const uint8_t* data, size_t size, uint32_t width, uint32_t height, unsigned bits,
                     unsigned planes, size_t bytesPerLine, SkDecodedImage& out)
{
    if ((bits != 1 && bits != 2 && bits != 4) || planes < 1 || bits * planes > 4)
        return false;
    if (bytesPerLine < (uint64_t(width) * bits + 7) / 8)
        return false;
    uint8_t palette[kHeaderPaletteEntries * 3];
    std::memcpy(palette, data + kHeaderPaletteAt, sizeof(palette));
    // Monochrome files often leave the palette empty: they are black on white.
    if (bits * planes == 1 && std::memcmp(palette, palette + 3, 3) == 0) {
        std::memset(palette, 0, 3);
        std::memset(palette + 3, 255, 3);
    }
    const uint8_t* src = data + kHeaderSize;
    const size_t srcSize = size - kHeaderSize;
    const size_t lineBytes = planes * bytesPerLine;
    const uint64_t maxDecodable = uint64_t(srcSize / 2) * 63u + srcSize % 2;
    if (uint64_t(lineBytes) * height > maxDecodable)
        return false;
    if (!Allocate(out, width, height, 24))
        return false;
    std::vector<uint8_t> line(lineBytes);
    const unsigned mask = (1u << bits) - 1u;
    size_t in = 0;
    for (uint32_t y = 0; y < height; ++y) {
        if (!DecodeLine(src, srcSize, in, line))
            return false;
        uint8_t* dst = out.pixels.data() + size_t(height - 1 - y) * width * 3;
        for (uint32_t x = 0; x < width; ++x, dst += 3) {
            const size_t bit = size_t(x) * bits;
            const unsigned shift = 8 - bits - unsigned(bit % 8);
            unsigned index = 0;
            for (unsigned p = 0; p < planes; ++p)
                index |= ((line[p * bytesPerLine + bit / 8] >> shift) & mask) << (p * bits);
            std::memcpy(dst, palette + index * 3, 3);
        }
    }
    return true;
}

} // namespace

bool DecodePcx(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    if (!data || size < kHeaderSize)
        return false;
    // Some writers put another manufacturer byte; the encoding byte is proof enough.
    if (data[0] != 10 && data[2] != 1)
        return false;
    const unsigned bits = data[3];
    const uint16_t xmin = ReadU16(data + 4), ymin = ReadU16(data + 6);
    const uint16_t xmax = ReadU16(data + 8), ymax = ReadU16(data + 10);
    if (xmax < xmin || ymax < ymin)
        return false;
    const uint32_t width = uint32_t(xmax - xmin) + 1;
    const uint32_t height = uint32_t(ymax - ymin) + 1;
    const unsigned planes = data[65];
    const size_t bytesPerLine = ReadU16(data + 66);
    if (!SizeAcceptable(width, height, 3))
        return false;
    if (bits != 8)
        return DecodeLowColour(data, size, width, height, bits, planes, bytesPerLine, out);
    if ((planes != 1 && planes != 3) || bytesPerLine < width)
        return false;

    // Only a paletted image needs the palette at the end; it is not scan line data.
    const uint8_t* palette = nullptr;
    size_t end = size;
    if (planes == 1) {
        if (size - kHeaderSize < kPaletteSize)
            return false;
        end = size - kPaletteSize;
        palette = data + end;
    }
    const uint8_t* src = data + kHeaderSize;
    const size_t srcSize = end - kHeaderSize;
    const size_t lineBytes = planes * bytesPerLine;
    // A two-byte run yields at most 63 bytes: refuse before allocating when the data is too short.
    const uint64_t maxDecodable = uint64_t(srcSize / 2) * 63u + srcSize % 2;
    if (uint64_t(lineBytes) * height > maxDecodable)
        return false;

    if (!Allocate(out, width, height, 24))
        return false;
    std::vector<uint8_t> line(lineBytes);
    size_t in = 0;
    for (uint32_t y = 0; y < height; ++y) {
        if (!DecodeLine(src, srcSize, in, line))
            return false;
        // File lines come top first.
        uint8_t* dst = out.pixels.data() + size_t(height - 1 - y) * width * 3;
        for (uint32_t x = 0; x < width; ++x, dst += 3) {
            if (palette) {
                const uint8_t* rgb = palette + size_t(line[x]) * 3;
                dst[0] = rgb[0], dst[1] = rgb[1], dst[2] = rgb[2];
            } else {
                dst[0] = line[x];
                dst[1] = line[bytesPerLine + x];
                dst[2] = line[2 * bytesPerLine + x];
            }
        }
    }
    return true;
}

} // namespace nimbus::image
