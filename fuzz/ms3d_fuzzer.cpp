#include <cstddef>
#include <cstdint>

#include "formats/ms3d/ms3d_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    nimbus::ms3d::File file;
    nimbus::ms3d::Parse(data, size, file);
    return 0;
}
