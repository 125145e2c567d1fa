#include <cstddef>
#include <cstdint>

#include "image/dds_plain_codec.h"
#include "image/decoded_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SkDecodedImage image;
    if (nimbus::image::DecodePlainDds(data, size, image)) {
        const size_t expected = size_t(image.width) * image.height * (image.bpp / 8u);
        if (image.pixels.size() != expected || (image.bpp != 24 && image.bpp != 32))
            __builtin_trap();
    }
    return 0;
}
