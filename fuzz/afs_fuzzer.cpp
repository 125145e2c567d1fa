#include <cstddef>
#include <cstdint>

#include "formats/afs/afs_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<nimbus::afs::Sequence> sequences;
    nimbus::afs::Parse(data, size, sequences);
    return 0;
}
