// The MD2 import plug-in: parsing, then the turned frame, its normals and the skins'
// materials in an empty exchange record.
#include <cstddef>
#include <cstdint>

#include "md2_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kestrel::morphreader::Md2Import md2;
    if (!kestrel::morphreader::ParseMd2(std::vector<uint8_t>(data, data + size), md2))
        return 0;
    std::vector<kestrel::morphreader::SkinMaterial> materials;
    for (const std::string& skin : md2.file.skins)
        materials.push_back({skin, skin});
    skModel model;
    skModelInit(&model);
    kestrel::morphreader::BuildModel(md2, materials, &model);
    skModelNullify(&model);
    return 0;
}
