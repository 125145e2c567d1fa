#include <algorithm>
#include <vector>

#include "codecs.h"
#include "dds16_codec.h"
#include "dds_plain_codec.h"
#include "dds_layout.h"
#include "freeimage_session.h"
#include "gif_layout.h"

namespace nimbus::image {
namespace {

// Owns a FreeImage bitmap for the length of one decode.
struct Bitmap {
    const FreeImageApi& fi;
    FIBITMAP* dib = nullptr;
    explicit Bitmap(const FreeImageApi& api) : fi(api) {}
    ~Bitmap()
    {
        if (dib)
            fi.Unload(dib);
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
};

uint32_t ReadLe(const uint8_t* p, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

// FreeImage allocates before it looks at the pixels, so the header's size is checked first.
bool HeaderSizeAcceptable(const uint8_t* data, size_t size, size_t widthAt, size_t heightAt, int fieldBytes)
{
    if (size < std::max(widthAt, heightAt) + size_t(fieldBytes))
        return false;
    return SizeAcceptable(ReadLe(data + widthAt, fieldBytes), ReadLe(data + heightAt, fieldBytes), 4);
}

bool LoadBitmap(FREE_IMAGE_FORMAT format, const uint8_t* data, size_t size, Bitmap& bitmap)
{
    const FreeImageApi& fi = bitmap.fi;
    if (!data || size == 0 || size > 0xFFFFFFFFu || !fi.FIFSupportsReading(format))
        return false;
    FIMEMORY* memory = fi.OpenMemory(const_cast<BYTE*>(data), DWORD(size));
    if (!memory)
        return false;
    bitmap.dib = fi.LoadFromMemory(format, memory, 0);
    fi.CloseMemory(memory);
    return bitmap.dib && fi.HasPixels(bitmap.dib) && fi.GetWidth(bitmap.dib) > 0 && fi.GetHeight(bitmap.dib) > 0 &&
           fi.GetImageType(bitmap.dib) == FIT_BITMAP;
}

unsigned PaletteIndex(const BYTE* line, unsigned x, unsigned bpp)
{
    switch (bpp) {
    case 1: return (line[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (line[x >> 1] & 0x0F) : (line[x >> 1] >> 4);
    default: return line[x];
    }
}

} // namespace

bool DecodeGif(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    GifLayout layout;
    if (!ReadGifLayout(data, size, layout))
        return false;
    const GifCanvas canvas = CanvasOf(layout);
    // FreeImage allocates the frame before it looks at the pixels, so both sizes are
    // checked first; the frame never exceeds the canvas.
    if (!SizeAcceptable(canvas.width, canvas.height, 4) || !GifCanvasFitsFile(canvas.width, canvas.height, size))
        return false;
    const FreeImageApi* api = UseFreeImage();
    if (!api)
        return false;
    const FreeImageApi& fi = *api;
    Bitmap bitmap(fi);
    if (!LoadBitmap(FIF_GIF, data, size, bitmap))
        return false;
    FIBITMAP* dib = bitmap.dib;
    const unsigned bpp = fi.GetBPP(dib);
    const RGBQUAD* palette = fi.GetPalette(dib);
    const unsigned colours = fi.GetColorsUsed(dib);
    if ((bpp != 1 && bpp != 4 && bpp != 8) || !palette || colours == 0)
        return false;
    const unsigned width = fi.GetWidth(dib), height = fi.GetHeight(dib);
    if (width != layout.frameWidth || height != layout.frameHeight)
        return false;
    const bool coversCanvas = width == canvas.width && height == canvas.height;
    const int transparent = fi.IsTransparent(dib) ? fi.GetTransparentIndex(dib) : -1;
    const unsigned outBpp = transparent >= 0 || !coversCanvas ? 4 : 3;
    // Allocation zeroes the canvas: where the frame does not reach stays transparent.
    if (!Allocate(out, canvas.width, canvas.height, uint8_t(outBpp * 8)))
        return false;
    // Scan line 0 is the bottom row, in the frame as in ours.
    const unsigned bottomGap = canvas.height - canvas.frameTop - height;
    for (unsigned y = 0; y < height; ++y) {
        const BYTE* line = fi.GetScanLine(dib, int(y));
        uint8_t* dst = out.pixels.data() + (size_t(bottomGap + y) * canvas.width + canvas.frameLeft) * outBpp;
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

namespace {

bool IsBlockCode(const uint8_t* data)
{
    const uint8_t* c = data + 84;
    return (ReadLe(data + 80, 4) & 0x4) && c[0] == 'D' && c[1] == 'X' && c[2] == 'T' && c[3] >= '1' && c[3] <= '5';
}

// The block formats behind a "DX10" header, as the four-character codes FreeImage reads.
const char* LegacyBlockCode(uint32_t dxgiFormat)
{
    switch (dxgiFormat) {
    case 71: case 72: return "DXT1"; // BC1, also sRGB
    case 74: case 75: return "DXT3"; // BC2
    case 77: case 78: return "DXT5"; // BC3
    default: return nullptr;
    }
}

// A DX10 file of BC1 to BC3 blocks rewritten with the older header: the same blocks follow.
bool ToLegacyHeader(const uint8_t* data, size_t size, std::vector<uint8_t>& legacy)
{
    constexpr size_t kHeaderEnd = 128, kExtendedSize = 20;
    const uint8_t* c = data + 84;
    if (!(ReadLe(data + 80, 4) & 0x4) || c[0] != 'D' || c[1] != 'X' || c[2] != '1' || c[3] != '0' ||
        size < kHeaderEnd + kExtendedSize)
        return false;
    const char* code = LegacyBlockCode(ReadLe(data + kHeaderEnd, 4));
    if (!code)
        return false;
    legacy.assign(data, data + kHeaderEnd);
    legacy.insert(legacy.end(), data + kHeaderEnd + kExtendedSize, data + size);
    for (int i = 0; i < 4; ++i)
        legacy[84 + size_t(i)] = uint8_t(code[i]);
    return true;
}

// FreeImage cuts a block-compressed image to whole blocks; its blocks cover the next multiple
// of 4, so such a file is decoded at that size and the image cut out of the top-left corner.
bool LoadDdsBitmap(const uint8_t* data, size_t size, Bitmap& bitmap, unsigned& width, unsigned& height)
{
    height = ReadLe(data + 12, 4), width = ReadLe(data + 16, 4);
    if (!IsBlockCode(data) || (width % 4 == 0 && height % 4 == 0))
        return LoadBitmap(FIF_DDS, data, size, bitmap) && bitmap.fi.GetWidth(bitmap.dib) == width &&
               bitmap.fi.GetHeight(bitmap.dib) == height;
    std::vector<uint8_t> padded(data, data + size);
    const uint32_t paddedHeight = (height + 3) / 4 * 4, paddedWidth = (width + 3) / 4 * 4;
    for (int i = 0; i < 4; ++i) {
        padded[12 + size_t(i)] = uint8_t(paddedHeight >> (8 * i));
        padded[16 + size_t(i)] = uint8_t(paddedWidth >> (8 * i));
    }
    return LoadBitmap(FIF_DDS, padded.data(), padded.size(), bitmap) &&
           bitmap.fi.GetWidth(bitmap.dib) == paddedWidth && bitmap.fi.GetHeight(bitmap.dib) == paddedHeight;
}

} // namespace

bool DecodeDds(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    // DDS header: "DDS " then dwSize, dwFlags, dwHeight (offset 12), dwWidth (offset 16).
    if (!HeaderSizeAcceptable(data, size, 16, 12, 4) || !DdsFileHoldsPixels(data, size))
        return false;
    if (IsUncompressedDds16(data, size))
        return DecodeDds16(data, size, out);
    if (IsPlainDds(data, size))
        return DecodePlainDds(data, size, out);
    std::vector<uint8_t> legacy;
    if (ToLegacyHeader(data, size, legacy)) {
        data = legacy.data(), size = legacy.size();
        if (!DdsFileHoldsPixels(data, size)) // now counted at the real block size
            return false;
    }
    const FreeImageApi* api = UseFreeImage();
    if (!api)
        return false;
    const FreeImageApi& fi = *api;
    Bitmap bitmap(fi);
    unsigned width = 0, height = 0;
    if (!LoadDdsBitmap(data, size, bitmap, width, height))
        return false;
    FIBITMAP* dib = bitmap.dib;
    const FREE_IMAGE_COLOR_TYPE colour = fi.GetColorType(dib);
    if (colour != FIC_RGB && colour != FIC_RGBALPHA)
        return false;
    const unsigned srcBpp = fi.GetBPP(dib);
    if (srcBpp != 24 && srcBpp != 32)
        return false;
    const unsigned outBpp = colour == FIC_RGBALPHA ? 4 : 3;
    if (!Allocate(out, width, height, uint8_t(outBpp * 8)))
        return false;
    // Scan line 0 is the bottom row; rows added below a cut image come first.
    const unsigned skipped = fi.GetHeight(dib) - height;
    for (unsigned y = 0; y < height; ++y) {
        const BYTE* line = fi.GetScanLine(dib, int(y + skipped));
        uint8_t* dst = out.pixels.data() + size_t(y) * width * outBpp;
        for (unsigned x = 0; x < width; ++x, dst += outBpp) {
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
