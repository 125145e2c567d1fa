#include <cstddef>
#include <cstdint>

#include "image/dds16_codec.h"
#include "image/decoded_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SkDecodedImage image;
    nimbus::image::DecodeDds16(data, size, image);
    return 0;
}
