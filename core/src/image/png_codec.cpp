#include <lodepng.h>

#include "codecs.h"

namespace nimbus::image {

bool DecodePng(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    if (!data || size == 0)
        return false;
    lodepng::State state;
    unsigned width = 0, height = 0;
    // Check the size from the header before LodePNG allocates the image.
    if (lodepng_inspect(&width, &height, &state, data, size) != 0 || !SizeAcceptable(width, height, 4))
        return false;
    std::vector<unsigned char> rgba;
    if (lodepng::decode(rgba, width, height, state, data, size) != 0)
        return false;
    if (rgba.size() != size_t(width) * height * 4)
        return false;
    const bool alpha = lodepng_can_have_alpha(&state.info_png.color) != 0;
    if (!Allocate(out, width, height, alpha ? 32 : 24))
        return false;
    const unsigned bpp = alpha ? 4 : 3;
    for (unsigned y = 0; y < height; ++y) {
        // PNG rows come top first.
        const unsigned char* src = rgba.data() + size_t(y) * width * 4;
        uint8_t* dst = out.pixels.data() + size_t(height - 1 - y) * width * bpp;
        for (unsigned x = 0; x < width; ++x)
            for (unsigned c = 0; c < bpp; ++c)
                dst[x * bpp + c] = src[x * 4 + c];
    }
    return true;
}

bool EncodePng(const ImageView& image, std::vector<uint8_t>& file)
{
    if (!image.pixels || image.width == 0 || image.height == 0 || (image.bpp != 24 && image.bpp != 32))
        return false;
    const unsigned bpp = image.bpp / 8u;
    std::vector<unsigned char> rgba(size_t(image.width) * image.height * 4);
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint8_t* src = image.pixels + size_t(image.height - 1 - y) * image.width * bpp;
        unsigned char* dst = rgba.data() + size_t(y) * image.width * 4;
        for (uint32_t x = 0; x < image.width; ++x) {
            dst[x * 4 + 0] = src[x * bpp + 0];
            dst[x * 4 + 1] = src[x * bpp + 1];
            dst[x * 4 + 2] = src[x * bpp + 2];
            dst[x * 4 + 3] = bpp == 4 ? src[x * bpp + 3] : 255;
        }
    }
    lodepng::State state;
    state.encoder.text_compression = 0; // plain tEXt, which every reader shows
    state.encoder.add_id = 0;
    if (lodepng_add_text(&state.info_png, "Comment", "Created with HLV Engine") != 0)
        return false;
    file.clear();
    return lodepng::encode(file, rgba, image.width, image.height, state) == 0 && !file.empty();
}

} // namespace nimbus::image
