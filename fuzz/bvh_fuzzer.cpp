// The BVH reader: parsing, then joints and keys into an empty exchange record.
#include <cstddef>
#include <cstdint>

#include "bvh_import.h"
#include "bvh_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kestrel::bvh::File file;
    if (kestrel::bvh::Parse(data, size, file) != kestrel::bvh::ParseStatus::Ok)
        return 0;
    skModel model;
    skModelInit(&model);
    kestrel::bvh::BuildModel(file, &model);
    skModelNullify(&model);
    return 0;
}
