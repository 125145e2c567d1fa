#include "image_fixtures.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <map>
#include <stdexcept>

namespace kestrel::test {

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

namespace {

using Rgb = std::array<uint8_t, 3>;

void PutU16(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}

void PutU32(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    PutU16(v, at, x);
    PutU16(v, at + 2, x >> 16);
}

Rgb TableColour(unsigned i, unsigned count)
{
    if (count == 2)
        return i == 0 ? Rgb{12, 200, 64} : Rgb{240, 16, 128};
    return Rgb{uint8_t((i * 52) & 0xFC), uint8_t((i * 100 + 40) & 0xFC), uint8_t((255 - i * 16) & 0xFC)};
}

// The distinct colours of an image, and each pixel's index into them.
struct Indexed {
    std::vector<Rgb> colours;
    std::vector<uint8_t> indices; // bottom row first, like the image
    std::vector<uint8_t> alphas;  // per colour, when indexed with alpha
};

Indexed IndexColours(const RefImage& image, size_t maxColours)
{
    Indexed result;
    std::map<Rgb, uint8_t> seen;
    const size_t count = size_t(image.width) * image.height;
    result.indices.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = image.pixels.data() + i * (image.bpp / 8);
        const Rgb c{p[0], p[1], p[2]};
        auto it = seen.find(c);
        if (it == seen.end()) {
            if (result.colours.size() == maxColours)
                throw std::runtime_error("fixture has too many colours for a palette");
            it = seen.emplace(c, uint8_t(result.colours.size())).first;
            result.colours.push_back(c);
        }
        result.indices.push_back(it->second);
    }
    return result;
}

// Like IndexColours, but alpha tells entries apart too (32-bit colour maps).
Indexed IndexColoursWithAlpha(const RefImage& image, size_t maxColours)
{
    Indexed result;
    std::map<std::array<uint8_t, 4>, uint8_t> seen;
    const size_t count = size_t(image.width) * image.height;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = image.pixels.data() + i * (image.bpp / 8);
        const std::array<uint8_t, 4> c{p[0], p[1], p[2], image.bpp == 32 ? p[3] : uint8_t(255)};
        auto it = seen.find(c);
        if (it == seen.end()) {
            if (result.colours.size() == maxColours)
                throw std::runtime_error("fixture has too many colours for a palette");
            it = seen.emplace(c, uint8_t(result.colours.size())).first;
            result.colours.push_back(Rgb{c[0], c[1], c[2]});
            result.alphas.push_back(c[3]);
        }
        result.indices.push_back(it->second);
    }
    return result;
}

// File pixels of one TGA pixel, in the file's blue-green-red order.
void AppendTgaPixel(std::vector<uint8_t>& out, const RefImage& image, const Indexed& indexed, uint32_t x,
                    uint32_t y, const TgaOptions& o)
{
    const uint8_t* p = image.At(x, y);
    switch (o.kind) {
    case TgaKind::kColourMapped: {
        const unsigned value = indexed.indices[size_t(y) * image.width + x] + o.mapFirst;
        out.push_back(uint8_t(value));
        if (o.depth == 16)
            out.push_back(uint8_t(value >> 8));
        return;
    }
    case TgaKind::kGrey:
        out.push_back(p[0]);
        if (o.depth == 16)
            out.push_back(image.bpp == 32 ? p[3] : 255);
        return;
    case TgaKind::kTrueColour: break;
    }
    if (o.depth == 15 || o.depth == 16) {
        const unsigned w = unsigned(p[0] >> 3) << 10 | unsigned(p[1] >> 3) << 5 | unsigned(p[2] >> 3);
        out.push_back(uint8_t(w));
        out.push_back(uint8_t(w >> 8));
        return;
    }
    out.insert(out.end(), {p[2], p[1], p[0]});
    if (o.depth == 32)
        out.push_back(image.bpp == 32 ? p[3] : 255);
}

// Greedy packets: repeats of two or more become run packets, the rest literal packets.
std::vector<uint8_t> TgaRle(const std::vector<uint8_t>& raw, size_t bytes)
{
    const size_t count = raw.size() / bytes;
    auto same = [&](size_t a, size_t b) { return std::memcmp(&raw[a * bytes], &raw[b * bytes], bytes) == 0; };
    std::vector<uint8_t> out;
    size_t i = 0;
    while (i < count) {
        size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run))
            ++run;
        if (run >= 2) {
            out.push_back(uint8_t(0x80 | (run - 1)));
            out.insert(out.end(), raw.begin() + long(i * bytes), raw.begin() + long((i + 1) * bytes));
            i += run;
            continue;
        }
        size_t n = 1;
        while (i + n < count && n < 128 && !(i + n + 1 < count && same(i + n, i + n + 1)))
            ++n;
        out.push_back(uint8_t(n - 1));
        out.insert(out.end(), raw.begin() + long(i * bytes), raw.begin() + long((i + n) * bytes));
        i += n;
    }
    return out;
}

void AppendPcxLine(std::vector<uint8_t>& out, const std::vector<uint8_t>& line)
{
    size_t i = 0;
    while (i < line.size()) {
        size_t run = 1;
        while (i + run < line.size() && run < 63 && line[i + run] == line[i])
            ++run;
        if (run == 1 && line[i] < 0xC0) {
            out.push_back(line[i]);
        } else {
            out.push_back(uint8_t(0xC0 | run));
            out.push_back(line[i]);
        }
        i += run;
    }
}

} // namespace

RefImage MakePattern(uint32_t width, uint32_t height, uint8_t bpp, PatternColours colours)
{
    RefImage image;
    image.width = width;
    image.height = height;
    image.bpp = bpp;
    const unsigned bytes = bpp / 8u;
    image.pixels.resize(size_t(width) * height * bytes);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned v = x < width / 3 ? y * 5 : x * 7 + y * 3;
            uint8_t* p = image.pixels.data() + (size_t(y) * width + x) * bytes;
            Rgb c{uint8_t(v * 13), uint8_t(v * 29 + 80), uint8_t(v * 71 + 7)};
            switch (colours) {
            case PatternColours::kFull: break;
            case PatternColours::kGrey: c = Rgb{c[0], c[0], c[0]}; break;
            case PatternColours::kFiveBit: c = Rgb{uint8_t(c[0] & 0xF8), uint8_t(c[1] & 0xF8), uint8_t(c[2] & 0xF8)}; break;
            case PatternColours::kTwoColours: c = TableColour(v % 2, 2); break;
            case PatternColours::kSixteenColours: c = TableColour(v % 16, 16); break;
            case PatternColours::kFourColours: c = TableColour(v % 4, 16); break;
            case PatternColours::kFourBit: c = Rgb{uint8_t((c[0] >> 4) * 17), uint8_t((c[1] >> 4) * 17), uint8_t((c[2] >> 4) * 17)}; break;
            }
            p[0] = c[0], p[1] = c[1], p[2] = c[2];
            if (bytes == 4)
                p[3] = colours == PatternColours::kFourBit ? uint8_t((uint8_t(v * 3 + 100) >> 4) * 17) : uint8_t(v * 3 + 100);
        }
    }
    return image;
}

std::vector<uint8_t> MakeTga(const RefImage& image, const TgaOptions& o)
{
    const bool mapped = o.kind == TgaKind::kColourMapped;
    const Indexed indexed = !mapped ? Indexed{} : o.mapEntryBits == 32 ? IndexColoursWithAlpha(image, 256)
                                                                        : IndexColours(image, 256);
    std::vector<uint8_t> file(18, 0);
    file[0] = o.idLength;
    file[1] = mapped ? 1 : 0;
    const uint8_t rawType = mapped ? 1 : o.kind == TgaKind::kTrueColour ? 2 : 3;
    file[2] = uint8_t(rawType + (o.rle ? 8 : 0));
    if (mapped) {
        PutU16(file, 3, o.mapFirst);
        PutU16(file, 5, uint32_t(indexed.colours.size()));
        file[7] = o.mapEntryBits;
    }
    PutU16(file, 12, image.width);
    PutU16(file, 14, image.height);
    file[16] = o.depth;
    file[17] = uint8_t((o.topFirst ? 32 : 0) | (o.rightToLeft ? 16 : 0) | (o.depth == 32 || (o.kind == TgaKind::kGrey && o.depth == 16) ? 8 : 0));
    for (unsigned i = 0; i < o.idLength; ++i)
        file.push_back(uint8_t('a' + i % 26));
    for (size_t i = 0; i < indexed.colours.size(); ++i) {
        const Rgb& c = indexed.colours[i];
        if (o.mapEntryBits == 15 || o.mapEntryBits == 16) {
            const unsigned w = unsigned(c[0] >> 3) << 10 | unsigned(c[1] >> 3) << 5 | unsigned(c[2] >> 3);
            file.insert(file.end(), {uint8_t(w), uint8_t(w >> 8)});
            continue;
        }
        file.insert(file.end(), {c[2], c[1], c[0]});
        if (o.mapEntryBits == 32)
            file.push_back(indexed.alphas[i]);
    }

    std::vector<uint8_t> raw;
    for (uint32_t fy = 0; fy < image.height; ++fy) {
        const uint32_t y = o.topFirst ? image.height - 1 - fy : fy;
        for (uint32_t fx = 0; fx < image.width; ++fx)
            AppendTgaPixel(raw, image, indexed, o.rightToLeft ? image.width - 1 - fx : fx, y, o);
    }
    const std::vector<uint8_t> pixels = o.rle ? TgaRle(raw, (o.depth + 7u) / 8u) : raw;
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

std::vector<uint8_t> MakePcx(const RefImage& image, const PcxOptions& o)
{
    const Indexed indexed = o.paletted ? IndexColours(image, 256) : Indexed{};
    const unsigned planes = o.paletted ? 1 : 3;
    const uint32_t bytesPerLine = (image.width + 1) & ~1u;
    std::vector<uint8_t> file(128, 0);
    file[0] = o.manufacturer;
    file[1] = 5;
    file[2] = o.encoding;
    file[3] = 8;
    PutU16(file, 4, o.xmin);
    PutU16(file, 6, o.ymin);
    PutU16(file, 8, o.xmin + image.width - 1);
    PutU16(file, 10, o.ymin + image.height - 1);
    PutU16(file, 12, 72);
    PutU16(file, 14, 72);
    file[65] = uint8_t(planes);
    PutU16(file, 66, bytesPerLine);
    PutU16(file, 68, 1);
    std::vector<uint8_t> line(size_t(bytesPerLine) * planes);
    for (uint32_t fy = 0; fy < image.height; ++fy) {
        const uint32_t y = image.height - 1 - fy;
        std::fill(line.begin(), line.end(), 0);
        for (uint32_t x = 0; x < image.width; ++x) {
            if (o.paletted) {
                line[x] = indexed.indices[size_t(y) * image.width + x];
            } else {
                for (unsigned p = 0; p < 3; ++p)
                    line[p * bytesPerLine + x] = image.At(x, y)[p];
            }
        }
        AppendPcxLine(file, line);
    }
    if (o.paletted) {
        file.push_back(12);
        std::vector<uint8_t> palette(768, 0);
        for (size_t i = 0; i < indexed.colours.size(); ++i)
            std::memcpy(&palette[i * 3], indexed.colours[i].data(), 3);
        file.insert(file.end(), palette.begin(), palette.end());
    }
    return file;
}

std::vector<uint8_t> MakePcxLowColour(const RefImage& image, const PcxLowColourOptions& o)
{
    const unsigned bits = o.bitsPerPixel, planes = o.planes;
    const Indexed indexed = IndexColours(image, size_t(1) << (bits * planes));
    const uint32_t bytesPerLine = ((image.width * bits + 7) / 8 + 1) & ~1u;
    std::vector<uint8_t> file(128, 0);
    file[0] = 10;
    file[1] = 5;
    file[2] = 1;
    file[3] = uint8_t(bits);
    PutU16(file, 8, image.width - 1);
    PutU16(file, 10, image.height - 1);
    if (!o.emptyPalette)
        for (size_t i = 0; i < indexed.colours.size(); ++i)
            std::memcpy(&file[16 + i * 3], indexed.colours[i].data(), 3);
    file[65] = uint8_t(planes);
    PutU16(file, 66, bytesPerLine);
    PutU16(file, 68, 1);
    std::vector<uint8_t> line(size_t(bytesPerLine) * planes);
    for (uint32_t fy = 0; fy < image.height; ++fy) {
        const uint32_t y = image.height - 1 - fy;
        std::fill(line.begin(), line.end(), 0);
        for (uint32_t x = 0; x < image.width; ++x) {
            const unsigned index = indexed.indices[size_t(y) * image.width + x];
            const size_t bit = size_t(x) * bits;
            for (unsigned p = 0; p < planes; ++p) {
                const unsigned part = (index >> (p * bits)) & ((1u << bits) - 1u);
                line[p * bytesPerLine + bit / 8] |= uint8_t(part << (8 - bits - bit % 8));
            }
        }
        AppendPcxLine(file, line);
    }
    return file;
}

std::vector<uint8_t> MakeCel(const RefImage& image)
{
    const Indexed indexed = IndexColours(image, 256);
    std::vector<uint8_t> file(32, 0);
    PutU16(file, 0, 0x9119);
    PutU16(file, 2, image.width);
    PutU16(file, 4, image.height);
    file[10] = 8;
    PutU32(file, 12, image.width * image.height);
    std::vector<uint8_t> palette(768, 0);
    for (size_t i = 0; i < indexed.colours.size(); ++i)
        for (int c = 0; c < 3; ++c)
            palette[i * 3 + c] = uint8_t(indexed.colours[i][c] >> 2);
    file.insert(file.end(), palette.begin(), palette.end());
    for (uint32_t fy = 0; fy < image.height; ++fy) {
        const uint32_t y = image.height - 1 - fy;
        const auto row = indexed.indices.begin() + long(size_t(y) * image.width);
        file.insert(file.end(), row, row + image.width);
    }
    return file;
}

std::vector<uint8_t> MakeBmp(const RefImage& image, const BmpOptions& o)
{
    const unsigned bits = o.bitCount;
    const Indexed indexed = bits <= 8 ? IndexColours(image, size_t(1) << bits) : Indexed{};
    const size_t stride = (size_t(image.width) * bits + 31) / 32 * 4;
    const size_t paletteBytes = indexed.colours.size() * 4;
    const size_t offset = 54 + paletteBytes;
    std::vector<uint8_t> file(offset + stride * image.height, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, uint32_t(file.size()));
    PutU32(file, 10, uint32_t(offset));
    PutU32(file, 14, 40);
    PutU32(file, 18, image.width);
    PutU32(file, 22, o.topFirst ? uint32_t(-int32_t(image.height)) : image.height);
    PutU16(file, 26, 1);
    PutU16(file, 28, bits);
    PutU32(file, 34, uint32_t(stride * image.height));
    PutU32(file, 46, uint32_t(indexed.colours.size()));
    for (size_t i = 0; i < indexed.colours.size(); ++i) {
        const Rgb& c = indexed.colours[i];
        file[54 + i * 4] = c[2];
        file[54 + i * 4 + 1] = c[1];
        file[54 + i * 4 + 2] = c[0];
    }
    for (uint32_t fy = 0; fy < image.height; ++fy) {
        const uint32_t y = o.topFirst ? image.height - 1 - fy : fy;
        uint8_t* row = file.data() + offset + fy * stride;
        for (uint32_t x = 0; x < image.width; ++x) {
            const uint8_t* p = image.At(x, y);
            if (bits <= 8) {
                const uint8_t index = indexed.indices[size_t(y) * image.width + x];
                if (bits == 8)
                    row[x] = index;
                else if (bits == 4)
                    row[x / 2] |= uint8_t(index << (x % 2 ? 0 : 4));
                else
                    row[x / 8] |= uint8_t(index << (7 - x % 8));
            } else {
                uint8_t* d = row + x * (bits / 8);
                d[0] = p[2], d[1] = p[1], d[2] = p[0];
                if (bits == 32)
                    d[3] = 0xFF;
            }
        }
    }
    return file;
}

} // namespace kestrel::test
