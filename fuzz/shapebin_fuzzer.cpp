// The MS3D import plug-in: parsing, then the groups, joints and vertex-extra weights of an
// empty exchange record.
#include <cstddef>
#include <cstdint>

#include "ms3d_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    nimbus::ms3d::File file;
    if (nimbus::ms3d::Parse(data, size, file) != nimbus::ms3d::ParseStatus::Ok)
        return 0;
    skModel model;
    skModelInit(&model);
    kestrel::shapebin::BuildModel(file, &model);
    skModelNullify(&model);
    return 0;
}
