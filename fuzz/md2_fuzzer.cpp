#include <cstddef>
#include <cstdint>

#include "formats/md2/md2_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    nimbus::md2::File file;
    nimbus::md2::Parse(data, size, file);
    return 0;
}
