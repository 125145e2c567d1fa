// The MS3D binary import plug-in: groups, materials, skeleton, vertex-extra weights and
// the animation splitter file beside the model.

#include "importkit/import_plugin.h"
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
        // A damaged file is refused rather than half read; the side file never fails the import.
        return kestrel::importkit::ImportFile<nimbus::ms3d::File>(
            model, fileName,
            [](const std::vector<uint8_t>& bytes, nimbus::ms3d::File& file) {
                return nimbus::ms3d::Parse(bytes.data(), bytes.size(), file) == nimbus::ms3d::ParseStatus::Ok;
            },
            kestrel::shapebin::BuildModel,
            [fileName](skModel* record) {
                if (skModelGetAnimationLength(record) != 0)
                    kestrel::shapebin::ApplySideFile(kestrel::shapebin::SideFileName(fileName), record);
            });
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CMs3dImport)
