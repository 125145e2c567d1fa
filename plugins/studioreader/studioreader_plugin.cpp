// The 3DS import plug-in: reads the materials and triangle meshes of a 3D Studio file.

#include "importkit/import_plugin.h"
#include "plugframe/plugin_info.h"
#include "studio3ds_import.h"

namespace {

class C3dsImport : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"3DS Import", PLUGIN_IMPORT, {2, 1, 0, 521}, "Halvard",
                                     "Imports Autodesk 3D Studio files (*.3DS).",
                                     ""});
    }

    const char* GetRegistration() override
    {
        return "<KXIMP><EXTNUM:1><T:1 EXT:\"3DS\" INF:\"Autodesk 3D Studio\" ICO:2007>";
    }

    PlugInResult Process(skModel* model, const char16_t* fileName, ...) override
    {
        return kestrel::importkit::ImportFile<kestrel::studio::File>(
            model, fileName,
            [](const std::vector<uint8_t>& bytes, kestrel::studio::File& file) {
                return kestrel::studio::Parse(bytes.data(), bytes.size(), file) == kestrel::studio::ParseStatus::Ok;
            },
            kestrel::studio::BuildModel);
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(C3dsImport)
