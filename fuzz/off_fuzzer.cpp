// The OFF reader: parsing, then fans and normals into an empty exchange record.
#include <cstddef>
#include <cstdint>

#include "off_import.h"
#include "off_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kestrel::off::File file;
    if (kestrel::off::Parse(data, size, file) != kestrel::off::ParseStatus::Ok)
        return 0;
    skModel model;
    skModelInit(&model);
    kestrel::off::BuildModel(file, &model);
    skModelNullify(&model);
    return 0;
}
