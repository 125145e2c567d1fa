#include "bmp_variant_fixtures.h"

#include <array>
#include <bit>
#include <map>
#include <stdexcept>

namespace kestrel::test {
namespace {

using Rgb = std::array<uint8_t, 3>;

void Put(std::vector<uint8_t>& v, uint32_t x, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        v.push_back(uint8_t(x >> (8 * i)));
}

void Set32(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v[at + size_t(i)] = uint8_t(x >> (8 * i));
}

struct Palette {
    std::vector<Rgb> colours;
    std::vector<uint8_t> indices; // bottom row first
};

Palette IndexImage(const RefImage& image, size_t maxColours)
{
    Palette p;
    std::map<Rgb, uint8_t> seen;
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x) {
            const uint8_t* c = image.At(x, y);
            const Rgb rgb{c[0], c[1], c[2]};
            auto it = seen.find(rgb);
            if (it == seen.end()) {
                if (p.colours.size() == maxColours)
                    throw std::runtime_error("fixture has too many colours for a palette");
                it = seen.emplace(rgb, uint8_t(p.colours.size())).first;
                p.colours.push_back(rgb);
            }
            p.indices.push_back(it->second);
        }
    return p;
}

// A channel value at a mask's width, placed in the mask.
uint32_t Pack(uint8_t value, uint32_t mask)
{
    if (mask == 0)
        return 0;
    const unsigned shift = unsigned(std::countr_zero(mask));
    const unsigned bits = unsigned(std::popcount(mask));
    const uint32_t v = bits >= 8 ? uint32_t(value) << (bits - 8) : (uint32_t(value) * ((1u << bits) - 1u) + 127u) / 255u;
    return (v << shift) & mask;
}

void AppendNibbles(std::vector<uint8_t>& out, const uint8_t* indices, size_t n)
{
    for (size_t i = 0; i < n; i += 2)
        out.push_back(uint8_t(indices[i] << 4 | (i + 1 < n ? indices[i + 1] : 0)));
}

// One row of run-length data: runs of equal indices, absolute runs of three or more others.
void AppendRleRow(std::vector<uint8_t>& out, const uint8_t* row, size_t width, unsigned bits, bool deltas)
{
    size_t x = 0;
    while (x < width) {
        if (deltas && row[x] == 0) {
            size_t z = 1;
            while (x + z < width && z < 255 && row[x + z] == 0)
                ++z;
            if (x + z == width)
                return; // the end of line skips the rest
            out.insert(out.end(), {0, 2, uint8_t(z), 0});
            x += z;
            continue;
        }
        size_t run = 1;
        while (x + run < width && run < 255 && row[x + run] == row[x])
            ++run;
        size_t literal = 0;
        if (run == 1)
            while (x + literal < width && literal < 255 && !(deltas && row[x + literal] == 0) &&
                   !(x + literal + 1 < width && row[x + literal + 1] == row[x + literal]))
                ++literal;
        if (literal >= 3) {
            out.insert(out.end(), {0, uint8_t(literal)});
            const size_t start = out.size();
            if (bits == 8)
                out.insert(out.end(), row + x, row + x + literal);
            else
                AppendNibbles(out, row + x, literal);
            if ((out.size() - start) % 2)
                out.push_back(0);
            x += literal;
            continue;
        }
        out.push_back(uint8_t(run));
        out.push_back(bits == 8 ? row[x] : uint8_t(row[x] << 4 | row[x]));
        x += run;
    }
}

} // namespace

std::vector<uint8_t> MakeBmpVariant(const RefImage& image, const BmpVariantOptions& o)
{
    const unsigned bits = o.bitCount;
    const bool paletted = bits <= 8;
    const Palette palette = paletted ? IndexImage(image, size_t(1) << bits) : Palette{};
    const bool core = o.headerSize == 12;
    const unsigned entryBytes = core ? 3 : 4;
    const bool bitfields = o.compression == BmpCompression::kBitfields || o.compression == BmpCompression::kAlphaBitfields;
    const unsigned maskCount = o.compression == BmpCompression::kAlphaBitfields ? 4 : 3;
    static constexpr uint32_t k555[4] = {0x7C00, 0x03E0, 0x001F, 0};
    static constexpr uint32_t k888[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0};
    const uint32_t* masks = bitfields ? o.masks : bits == 16 ? k555 : k888;

    std::vector<uint8_t> f;
    if (o.fileHeader) {
        f = {'B', 'M'};
        Put(f, 0, 4); // file size, set below
        Put(f, 0, 4);
        Put(f, 0, 4); // pixel offset, set below
    }
    const size_t info = f.size();
    Put(f, o.headerSize, 4);
    if (core) {
        Put(f, image.width, 2);
        Put(f, image.height, 2);
        Put(f, 1, 2);
        Put(f, bits, 2);
    } else {
        Put(f, image.width, 4);
        Put(f, image.height, 4);
        Put(f, 1, 2);
        Put(f, bits, 2);
        Put(f, uint32_t(o.compression), 4);
        Put(f, 0, 4); // image size: may be zero for uncompressed data
        Put(f, 2835, 4);
        Put(f, 2835, 4);
        Put(f, paletted ? uint32_t(palette.colours.size()) : 0, 4);
        Put(f, 0, 4);
        f.resize(info + o.headerSize, 0);
        if (bitfields) {
            if (o.headerSize == 40)
                for (unsigned i = 0; i < maskCount; ++i)
                    Put(f, o.masks[i], 4);
            else
                for (unsigned i = 0; i < 4 && 40 + 4 * i + 4 <= o.headerSize; ++i)
                    Set32(f, info + 40 + 4 * i, o.masks[i]);
        }
    }
    for (const Rgb& c : palette.colours) {
        f.insert(f.end(), {c[2], c[1], c[0]});
        if (entryBytes == 4)
            f.push_back(0);
    }
    // Headers too short for a colour count have a full palette.
    if (paletted && (core || o.headerSize < 36))
        f.resize(f.size() + ((size_t(1) << bits) - palette.colours.size()) * entryBytes, 0);
    const size_t pixels = f.size();

    if (o.compression == BmpCompression::kRle8 || o.compression == BmpCompression::kRle4) {
        for (uint32_t y = 0; y < image.height; ++y) {
            AppendRleRow(f, palette.indices.data() + size_t(y) * image.width, image.width, bits, o.rleDeltas);
            if (y + 1 < image.height)
                f.insert(f.end(), {0, 0});
        }
        f.insert(f.end(), {0, 1});
    } else {
        const size_t stride = (size_t(image.width) * bits + 31) / 32 * 4;
        for (uint32_t y = 0; y < image.height; ++y) {
            std::vector<uint8_t> row(stride, 0);
            for (uint32_t x = 0; x < image.width; ++x) {
                const uint8_t* p = image.At(x, y);
                if (paletted) {
                    const size_t bit = size_t(x) * bits;
                    row[bit / 8] |= uint8_t(palette.indices[size_t(y) * image.width + x] << (8 - bits - bit % 8));
                    continue;
                }
                const uint8_t a = image.bpp == 32 ? p[3] : 255;
                const uint32_t v = Pack(p[0], masks[0]) | Pack(p[1], masks[1]) | Pack(p[2], masks[2]) | Pack(a, masks[3]);
                for (unsigned i = 0; i < bits / 8; ++i)
                    row[x * (bits / 8) + i] = uint8_t(v >> (8 * i));
            }
            f.insert(f.end(), row.begin(), row.end());
        }
    }
    if (o.fileHeader) {
        Set32(f, 2, uint32_t(f.size()));
        Set32(f, 10, uint32_t(pixels));
    }
    return f;
}

} // namespace kestrel::test
