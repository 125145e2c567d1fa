#include <cstddef>
#include <cstdint>

#include "formats/ms3d_ascii/ms3d_ascii_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    nimbus::ms3d_ascii::File file;
    nimbus::ms3d_ascii::Parse(reinterpret_cast<const char*>(data), size, file);
    return 0;
}
