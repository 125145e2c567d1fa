// The 3DS import plug-in: reads the materials and triangle meshes of a 3D Studio file.

#include <new>

#include "importkit/import_file.h"
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
        if (!model)
            return PLUGIN_RESULT_FAILED;
        try {
            return Import(model, fileName);
        } catch (const std::bad_alloc&) {
            return PLUGIN_RESULT_FAILED;
        }
    }

private:
    static PlugInResult Import(skModel* model, const char16_t* fileName)
    {
        std::vector<uint8_t> bytes;
        if (!kestrel::importkit::ReadImportFile(fileName, bytes))
            return PLUGIN_RESULT_FAILED;
        kestrel::studio::File file;
        if (kestrel::studio::Parse(bytes.data(), bytes.size(), file) != kestrel::studio::ParseStatus::Ok)
            return PLUGIN_RESULT_FAILED;
        bytes = {};
        return kestrel::studio::BuildModel(file, model) ? PLUGIN_RESULT_CHANGED : PLUGIN_RESULT_FAILED;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(C3dsImport)
