// The MS3D ASCII import plug-in: the header test, parsing, then meshes, materials and
// joints in an empty exchange record.
#include <cstddef>
#include <cstdint>

#include "ms3d_ascii_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    nimbus::ms3d_ascii::File file;
    if (!kestrel::shapetextreader::ParseMs3dAscii(std::vector<uint8_t>(data, data + size), file))
        return 0;
    skModel model;
    skModelInit(&model);
    kestrel::shapetextreader::BuildModel(file, &model);
    skModelNullify(&model);
    return 0;
}
