#include <FreeImage.h>
#include <algorithm>
#include <cstdio>

#include "codecs.h"

namespace nimbus::image {
namespace {

// Owns a FreeImage bitmap for the length of one decode.
struct Bitmap {
    FIBITMAP* dib = nullptr;
    ~Bitmap()
    {
        if (dib)
            FreeImage_Unload(dib);
    }
};

uint32_t ReadLe(const uint8_t* p, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

// FreeImage allocates before it looks at the pixels, so the header's size is checked first.
bool HeaderSizeAcceptable(const char* path, long widthAt, long heightAt, int fieldBytes)
{
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    uint8_t head[32] = {};
    const size_t n = std::fread(head, 1, sizeof(head), f);
    std::fclose(f);
    if (n < size_t(std::max(widthAt, heightAt) + fieldBytes))
        return false;
    return SizeAcceptable(ReadLe(head + widthAt, fieldBytes), ReadLe(head + heightAt, fieldBytes), 4);
}

bool LoadBitmap(FREE_IMAGE_FORMAT format, const char* path, Bitmap& bitmap)
{
    if (!path || !*path || !FreeImage_FIFSupportsReading(format))
        return false;
    bitmap.dib = FreeImage_Load(format, path, 0);
    return bitmap.dib && FreeImage_HasPixels(bitmap.dib) && FreeImage_GetWidth(bitmap.dib) > 0 &&
           FreeImage_GetHeight(bitmap.dib) > 0 && FreeImage_GetImageType(bitmap.dib) == FIT_BITMAP;
}

unsigned PaletteIndex(const BYTE* line, unsigned x, unsigned bpp)
{
    switch (bpp) {
    case 1: return (line[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (line[x >> 1] & 0x0F) : (line[x >> 1] >> 4);
    default: return line[x];
    }
}

unsigned MaskShift(unsigned mask)
{
    unsigned shift = 0;
    while (shift < 32 && !(mask & (1u << shift)))
        ++shift;
    return shift;
}

unsigned MaskBits(unsigned mask)
{
    unsigned bits = 0;
    for (unsigned m = mask >> MaskShift(mask); m & 1; m >>= 1)
        ++bits;
    return bits;
}

// A k-bit channel value v becomes (v + 1) * 2^(8 - k) - 1.
uint8_t Expand(unsigned pixel, unsigned mask)
{
    const unsigned bits = MaskBits(mask);
    if (bits == 0 || bits > 8)
        return 0;
    const unsigned v = (pixel & mask) >> MaskShift(mask);
    return uint8_t(((v + 1) << (8 - bits)) - 1);
}

} // namespace

bool DecodeGif(const char* path, SkDecodedImage& out)
{
    // Logical screen width and height: u16 at offsets 6 and 8.
    if (!path || !HeaderSizeAcceptable(path, 6, 8, 2))
        return false;
    Bitmap bitmap;
    if (!LoadBitmap(FIF_GIF, path, bitmap))
        return false;
    FIBITMAP* dib = bitmap.dib;
    const unsigned bpp = FreeImage_GetBPP(dib);
    const RGBQUAD* palette = FreeImage_GetPalette(dib);
    const unsigned colours = FreeImage_GetColorsUsed(dib);
    if ((bpp != 1 && bpp != 4 && bpp != 8) || !palette || colours == 0)
        return false;
    const unsigned width = FreeImage_GetWidth(dib), height = FreeImage_GetHeight(dib);
    const int transparent = FreeImage_IsTransparent(dib) ? FreeImage_GetTransparentIndex(dib) : -1;
    const unsigned outBpp = transparent >= 0 ? 4 : 3;
    if (!Allocate(out, width, height, uint8_t(outBpp * 8)))
        return false;
    for (unsigned y = 0; y < height; ++y) {
        // Scan line 0 is the bottom row, as ours.
        const BYTE* line = FreeImage_GetScanLine(dib, int(y));
        uint8_t* dst = out.pixels.data() + size_t(y) * width * outBpp;
        for (unsigned x = 0; x < width; ++x, dst += outBpp) {
            const unsigned index = PaletteIndex(line, x, bpp);
            if (index < colours) {
                dst[0] = palette[index].rgbRed;
                dst[1] = palette[index].rgbGreen;
                dst[2] = palette[index].rgbBlue;
            }
            if (outBpp == 4)
                dst[3] = int(index) == transparent ? 0 : 255;
        }
    }
    return true;
}

bool DecodeDds(const char* path, SkDecodedImage& out)
{
    // DDS header: "DDS " then dwSize, dwFlags, dwHeight (offset 12), dwWidth (offset 16).
    if (!path || !HeaderSizeAcceptable(path, 16, 12, 4))
        return false;
    Bitmap bitmap;
    if (!LoadBitmap(FIF_DDS, path, bitmap))
        return false;
    FIBITMAP* dib = bitmap.dib;
    const FREE_IMAGE_COLOR_TYPE colour = FreeImage_GetColorType(dib);
    if (colour != FIC_RGB && colour != FIC_RGBALPHA)
        return false;
    const unsigned srcBpp = FreeImage_GetBPP(dib);
    if (srcBpp != 16 && srcBpp != 24 && srcBpp != 32)
        return false;
    const unsigned outBpp = colour == FIC_RGBALPHA ? 4 : 3;
    const unsigned width = FreeImage_GetWidth(dib), height = FreeImage_GetHeight(dib);
    if (!Allocate(out, width, height, uint8_t(outBpp * 8)))
        return false;
    const unsigned redMask = FreeImage_GetRedMask(dib), greenMask = FreeImage_GetGreenMask(dib),
                   blueMask = FreeImage_GetBlueMask(dib);
    for (unsigned y = 0; y < height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(dib, int(y));
        uint8_t* dst = out.pixels.data() + size_t(y) * width * outBpp;
        for (unsigned x = 0; x < width; ++x, dst += outBpp) {
            if (srcBpp == 16) {
                const unsigned pixel = unsigned(line[x * 2]) | (unsigned(line[x * 2 + 1]) << 8);
                dst[0] = Expand(pixel, redMask);
                dst[1] = Expand(pixel, greenMask);
                dst[2] = Expand(pixel, blueMask);
                if (outBpp == 4)
                    dst[3] = 255;
                continue;
            }
            const BYTE* src = line + x * (srcBpp / 8);
            dst[0] = src[FI_RGBA_RED];
            dst[1] = src[FI_RGBA_GREEN];
            dst[2] = src[FI_RGBA_BLUE];
            if (outBpp == 4)
                dst[3] = srcBpp == 32 ? src[FI_RGBA_ALPHA] : 255;
        }
    }
    return true;
}

} // namespace nimbus::image
