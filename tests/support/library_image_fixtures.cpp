#include "library_image_fixtures.h"

#include <FreeImage.h>

namespace kestrel::test {
namespace {
void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}
} // namespace

bool WriteGif(const std::string& path, unsigned width, unsigned height, const std::vector<uint8_t>& indices,
              const std::vector<uint32_t>& paletteRgb, int transparentIndex)
{
    FIBITMAP* dib = FreeImage_Allocate(int(width), int(height), 8);
    if (!dib)
        return false;
    RGBQUAD* palette = FreeImage_GetPalette(dib);
    for (size_t i = 0; i < 256; ++i) {
        const uint32_t c = i < paletteRgb.size() ? paletteRgb[i] : 0;
        palette[i].rgbRed = uint8_t(c >> 16);
        palette[i].rgbGreen = uint8_t(c >> 8);
        palette[i].rgbBlue = uint8_t(c);
    }
    for (unsigned y = 0; y < height; ++y) {
        BYTE* line = FreeImage_GetScanLine(dib, int(y)); // line 0 is the bottom row
        for (unsigned x = 0; x < width; ++x)
            line[x] = indices[size_t(y) * width + x];
    }
    if (transparentIndex >= 0)
        FreeImage_SetTransparentIndex(dib, transparentIndex);
    const bool ok = FreeImage_Save(FIF_GIF, dib, path.c_str(), 0);
    FreeImage_Unload(dib);
    return ok;
}

std::vector<uint8_t> MakeDds(unsigned width, unsigned height, unsigned bitsPerPixel,
                             const std::vector<uint8_t>& pixels, bool alpha)
{
    std::vector<uint8_t> f = {'D', 'D', 'S', ' '};
    const uint32_t pitch = width * (bitsPerPixel / 8);
    PutLe(f, 124, 4);                               // header size
    PutLe(f, 0x1 | 0x2 | 0x4 | 0x8 | 0x1000, 4);    // caps, height, width, pitch, pixel format
    PutLe(f, height, 4);
    PutLe(f, width, 4);
    PutLe(f, pitch, 4);
    PutLe(f, 0, 4);                                 // depth
    PutLe(f, 0, 4);                                 // mipmaps
    for (int i = 0; i < 11; ++i)
        PutLe(f, 0, 4);
    PutLe(f, 32, 4);                                // pixel format size
    PutLe(f, 0x40 | (alpha ? 0x1 : 0), 4);          // RGB (+ alpha pixels)
    PutLe(f, 0, 4);                                 // fourCC
    PutLe(f, bitsPerPixel, 4);
    if (bitsPerPixel == 16) {
        PutLe(f, 0xF800, 4);
        PutLe(f, 0x07E0, 4);
        PutLe(f, 0x001F, 4);
        PutLe(f, 0, 4);
    } else {
        PutLe(f, 0x00FF0000, 4);
        PutLe(f, 0x0000FF00, 4);
        PutLe(f, 0x000000FF, 4);
        PutLe(f, alpha ? 0xFF000000 : 0, 4);
    }
    PutLe(f, 0x1000, 4);                            // texture
    for (int i = 0; i < 4; ++i)
        PutLe(f, 0, 4);
    const unsigned inBpp = alpha ? 4 : 3;
    for (unsigned row = 0; row < height; ++row) {
        const unsigned y = height - 1 - row;        // DDS stores the top row first
        for (unsigned x = 0; x < width; ++x) {
            const uint8_t* p = pixels.data() + (size_t(y) * width + x) * inBpp;
            if (bitsPerPixel == 16) {
                PutLe(f, uint32_t((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | (p[2] >> 3)), 2);
            } else {
                f.push_back(p[2]);
                f.push_back(p[1]);
                f.push_back(p[0]);
                if (bitsPerPixel == 32)
                    f.push_back(alpha ? p[3] : 255);
            }
        }
    }
    return f;
}

} // namespace kestrel::test
