#pragma once
// The height image of the landscape generator, read with the engine's image readers
// (this plug-in's own build of them).

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::terrain {

// 24-bit RGB or 32-bit RGBA pixels, bottom row first, rows without padding.
struct HeightImage {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bpp = 0;
    std::vector<uint8_t> pixels;

    bool Empty() const { return width == 0 || height == 0; }
};

// Reads a BMP, DIB, JPEG, PNG, TGA, PCX, CEL, PIC, GIF or DDS file, chosen by the
// name's extension. False for any other name or a file that does not decode.
bool LoadHeightImage(const std::string& path, HeightImage& out);

// A 24-bit image whose three channels are the alpha of each pixel of a 32-bit image;
// an empty image for any other depth.
HeightImage AlphaAsGray(const HeightImage& image);

} // namespace kestrel::terrain
