// The 3DS reader: parsing, then materials and meshes into an empty exchange record.
#include <cstddef>
#include <cstdint>

#include "studio3ds_import.h"
#include "studio3ds_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kestrel::studio::File file;
    if (kestrel::studio::Parse(data, size, file) != kestrel::studio::ParseStatus::Ok)
        return 0;
    skModel model;
    skModelInit(&model);
    kestrel::studio::BuildModel(file, &model);
    skModelNullify(&model);
    return 0;
}
