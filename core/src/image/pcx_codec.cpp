#include <algorithm>
#include <cstring>

#include "codecs.h"

namespace nimbus::image {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteSize = 768;

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

} // namespace

bool DecodePcx(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    if (!data || size < kHeaderSize)
        return false;
    // Some writers put another manufacturer byte; the encoding byte is proof enough.
    if ((data[0] != 10 && data[2] != 1) || data[3] != 8)
        return false;
    const uint16_t xmin = ReadU16(data + 4), ymin = ReadU16(data + 6);
    const uint16_t xmax = ReadU16(data + 8), ymax = ReadU16(data + 10);
    if (xmax < xmin || ymax < ymin)
        return false;
    const uint32_t width = uint32_t(xmax - xmin) + 1;
    const uint32_t height = uint32_t(ymax - ymin) + 1;
    const unsigned planes = data[65];
    const size_t bytesPerLine = ReadU16(data + 66);
    if ((planes != 1 && planes != 3) || bytesPerLine < width)
        return false;
    if (!SizeAcceptable(width, height, 3))
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
