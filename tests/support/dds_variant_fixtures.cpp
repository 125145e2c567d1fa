#include "dds_variant_fixtures.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace kestrel::test {
namespace {

void Put(std::vector<uint8_t>& f, uint32_t v, int bytes = 4)
{
    for (int i = 0; i < bytes; ++i)
        f.push_back(uint8_t(v >> (8 * i)));
}

uint32_t FourCc(const char* c) { return uint32_t(uint8_t(c[0])) | uint32_t(uint8_t(c[1])) << 8 | uint32_t(uint8_t(c[2])) << 16 | uint32_t(uint8_t(c[3])) << 24; }

struct PixelFormat {
    uint32_t flags = 0;
    uint32_t fourCc = 0;
    uint32_t bits = 0;
    uint32_t masks[4] = {};
};

PixelFormat FormatOf(DdsKind kind)
{
    switch (kind) {
    case DdsKind::kLuminance8: return {0x20000, 0, 8, {0xFF, 0, 0, 0}};
    case DdsKind::kLuminance16: return {0x20000, 0, 16, {0xFFFF, 0, 0, 0}};
    case DdsKind::kLuminanceAlpha8: return {0x20001, 0, 16, {0xFF, 0, 0, 0xFF00}};
    case DdsKind::kMipmapped32: return {0x41, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}};
    case DdsKind::kDx10Rgba:
    case DdsKind::kDx10Bgra:
    case DdsKind::kDx10Bgrx:
    case DdsKind::kDx10Bc1:
    case DdsKind::kDx10Bc3: return {0x4, FourCc("DX10"), 0, {}};
    case DdsKind::kDxt1: return {0x4, FourCc("DXT1"), 0, {}};
    case DdsKind::kDxt3: return {0x4, FourCc("DXT3"), 0, {}};
    case DdsKind::kDxt5: return {0x4, FourCc("DXT5"), 0, {}};
    }
    return {};
}

uint8_t Alpha(const RefImage& image, const uint8_t* p) { return image.bpp == 32 ? p[3] : 255; }

uint16_t Pack565(const uint8_t* p) { return uint16_t((p[0] ? 0xF800 : 0) | (p[1] ? 0x07E0 : 0) | (p[2] ? 0x001F : 0)); }

// Pixel (x, y) of the file, whose rows run top first; clamped at the edges of partial blocks.
const uint8_t* FilePixel(const RefImage& image, uint32_t x, uint32_t y)
{
    x = std::min(x, image.width - 1);
    y = std::min(y, image.height - 1);
    return image.At(x, image.height - 1 - y);
}

void AppendBlock(std::vector<uint8_t>& f, const RefImage& image, uint32_t bx, uint32_t by, DdsKind kind)
{
    std::array<const uint8_t*, 16> px;
    for (uint32_t i = 0; i < 16; ++i)
        px[i] = FilePixel(image, bx * 4 + i % 4, by * 4 + i / 4);
    if (kind == DdsKind::kDxt3) {
        for (uint32_t i = 0; i < 16; i += 2)
            f.push_back(uint8_t(Alpha(image, px[i]) / 17 | (Alpha(image, px[i + 1]) / 17) << 4));
    } else if (kind == DdsKind::kDxt5) {
        const uint8_t a0 = Alpha(image, px[0]);
        uint8_t a1 = a0;
        for (const uint8_t* p : px)
            if (Alpha(image, p) != a0)
                a1 = Alpha(image, p);
        f.push_back(a0);
        f.push_back(a1);
        uint64_t bits = 0;
        for (uint32_t i = 0; i < 16; ++i) {
            const uint8_t a = Alpha(image, px[i]);
            if (a != a0 && a != a1)
                throw std::runtime_error("more than two alphas in a DXT5 block");
            bits |= uint64_t(a == a0 ? 0 : 1) << (3 * i);
        }
        for (int i = 0; i < 6; ++i)
            f.push_back(uint8_t(bits >> (8 * i)));
    }
    const uint16_t c0 = Pack565(px[0]);
    uint16_t c1 = c0;
    for (const uint8_t* p : px)
        if (Pack565(p) != c0)
            c1 = Pack565(p);
    uint32_t indices = 0;
    for (uint32_t i = 0; i < 16; ++i) {
        const uint16_t c = Pack565(px[i]);
        if (c != c0 && c != c1)
            throw std::runtime_error("more than two colours in a DXT block");
        indices |= uint32_t(c == c0 ? 0 : 1) << (2 * i);
    }
    Put(f, c0, 2);
    Put(f, c1, 2);
    Put(f, indices);
}

void AppendPixels(std::vector<uint8_t>& f, const RefImage& image, DdsKind kind)
{
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x) {
            const uint8_t* p = FilePixel(image, x, y);
            const uint8_t a = Alpha(image, p);
            switch (kind) {
            case DdsKind::kLuminance8: f.push_back(p[0]); break;
            case DdsKind::kLuminance16: Put(f, uint32_t(p[0]) << 8 | 0x5A, 2); break; // low byte is below 8-bit precision
            case DdsKind::kLuminanceAlpha8: f.insert(f.end(), {p[0], a}); break;
            case DdsKind::kMipmapped32:
            case DdsKind::kDx10Bgra: f.insert(f.end(), {p[2], p[1], p[0], a}); break;
            case DdsKind::kDx10Rgba: f.insert(f.end(), {p[0], p[1], p[2], a}); break;
            case DdsKind::kDx10Bgrx: f.insert(f.end(), {p[2], p[1], p[0], 0x77}); break;
            default: break;
            }
        }
}

} // namespace

std::vector<uint8_t> MakeDdsVariant(const RefImage& image, DdsKind kind)
{
    const PixelFormat pf = FormatOf(kind);
    const bool blocks = kind == DdsKind::kDxt1 || kind == DdsKind::kDxt3 || kind == DdsKind::kDxt5 ||
                        kind == DdsKind::kDx10Bc1 || kind == DdsKind::kDx10Bc3;
    const DdsKind blockKind = kind == DdsKind::kDx10Bc1 ? DdsKind::kDxt1 : kind == DdsKind::kDx10Bc3 ? DdsKind::kDxt5 : kind;
    unsigned levels = 1;
    if (kind == DdsKind::kMipmapped32)
        for (uint32_t s = std::max(image.width, image.height); s > 1; s /= 2)
            ++levels;
    std::vector<uint8_t> f = {'D', 'D', 'S', ' '};
    Put(f, 124);
    Put(f, 0x1 | 0x2 | 0x4 | 0x1000 | (blocks ? 0x80000 : 0x8) | (levels > 1 ? 0x20000 : 0));
    Put(f, image.height);
    Put(f, image.width);
    Put(f, blocks ? 0 : image.width * (pf.bits ? pf.bits : 32) / 8);
    Put(f, 0);
    Put(f, levels > 1 ? levels : 0);
    for (int i = 0; i < 11; ++i)
        Put(f, 0);
    Put(f, 32);
    Put(f, pf.flags);
    Put(f, pf.fourCc);
    Put(f, pf.bits);
    for (uint32_t m : pf.masks)
        Put(f, m);
    Put(f, 0x1000 | (levels > 1 ? 0x400008 : 0));
    for (int i = 0; i < 4; ++i)
        Put(f, 0);
    if (pf.fourCc == FourCc("DX10")) {
        Put(f, kind == DdsKind::kDx10Rgba ? 28 : kind == DdsKind::kDx10Bgra ? 87 : kind == DdsKind::kDx10Bc1 ? 71
                                                                 : kind == DdsKind::kDx10Bc3 ? 77 : 88);
        Put(f, 3); // 2D texture
        Put(f, 0);
        Put(f, 1); // array size
        Put(f, 0);
    }
    if (blocks) {
        for (uint32_t by = 0; by < (image.height + 3) / 4; ++by)
            for (uint32_t bx = 0; bx < (image.width + 3) / 4; ++bx)
                AppendBlock(f, image, bx, by, blockKind);
        return f;
    }
    AppendPixels(f, image, kind);
    // Smaller levels: their content does not matter to a reader of the first.
    for (uint32_t w = image.width / 2, h = image.height / 2, l = 1; l < levels; ++l, w = std::max(1u, w / 2), h = std::max(1u, h / 2))
        f.insert(f.end(), size_t(std::max(1u, w)) * std::max(1u, h) * 4, uint8_t(0x10 * l));
    return f;
}

} // namespace kestrel::test
