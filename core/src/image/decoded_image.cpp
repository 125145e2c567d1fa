#include "decoded_image.h"

namespace nimbus::image {

bool Allocate(SkDecodedImage& image, uint32_t width, uint32_t height, uint8_t bpp)
{
    const unsigned bytesPerPixel = bpp / 8u;
    if ((bpp != 24 && bpp != 32) || !SizeAcceptable(width, height, bytesPerPixel))
        return false;
    image.width = width;
    image.height = height;
    image.bpp = bpp;
    image.pixels.assign(size_t(width) * height * bytesPerPixel, 0);
    return true;
}

} // namespace nimbus::image
