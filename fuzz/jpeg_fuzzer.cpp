#include <cstddef>
#include <cstdint>

#include "image/codecs.h"

// The CMYK and YCCK conversion after libjpeg, and the size checks before it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SkDecodedImage image;
    if (nimbus::image::DecodeJpeg(data, size, image)) {
        const size_t expected = size_t(image.width) * image.height * (image.bpp / 8u);
        if (image.pixels.size() != expected || image.bpp != 24)
            __builtin_trap();
    }
    return 0;
}
