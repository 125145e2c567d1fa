// The STL reader: parsing, then welding and normals into an empty exchange record.
#include <cstddef>
#include <cstdint>

#include "stl_import.h"
#include "stl_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kestrel::stl::File file;
    if (kestrel::stl::Parse(data, size, file) != kestrel::stl::ParseStatus::Ok)
        return 0;
    skModel model;
    skModelInit(&model);
    kestrel::stl::BuildModel(file, &model);
    skModelNullify(&model);
    return 0;
}
