// The MS3D binary import plug-in: groups, materials, skeleton, vertex-extra weights and
// the animation splitter file beside the model.

#include <new>
#include <vector>

#include "importkit/import_file.h"
#include "ms3d_import.h"
#include "plugframe/plugin_info.h"

namespace {

class CMs3dImport : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"MS3D Import", PLUGIN_IMPORT, {2, 1, 0, 148}, "Halvard",
                                     "Imports MilkShape 3D binary model files (*.MS3D). Full support according to "
                                     "MilkShape 3D 1.8.2 Format Specification (including subversions).",
                                     ""});
    }

    const char* GetRegistration() override
    {
        return "<KXIMP><EXTNUM:1><T:1 EXT:\"MS3D\" INF:\"MilkShape 3D Binary\" ICO:2007>";
    }

    PlugInResult Process(skModel* model, const char16_t* fileName, ...) override
    {
        if (!model || !fileName)
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
        nimbus::ms3d::File file;
        // A damaged file is refused rather than half read.
        if (nimbus::ms3d::Parse(bytes.data(), bytes.size(), file) != nimbus::ms3d::ParseStatus::Ok)
            return PLUGIN_RESULT_FAILED;
        bytes = {};
        if (!kestrel::shapebin::BuildModel(file, model))
            return PLUGIN_RESULT_FAILED;
        if (skModelGetAnimationLength(model) != 0)
            kestrel::shapebin::ApplySideFile(kestrel::shapebin::SideFileName(fileName), model);
        return PLUGIN_RESULT_CHANGED;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CMs3dImport)
