// The MD2 import plug-in: the first frame of a Quake II model, its skin found beside the
// model, and the animation splitter file of the model's name.

#include "importkit/import_plugin.h"
#include "md2_import.h"
#include "ms3d_import.h"
#include "plugframe/plugin_info.h"
#include "util/utf16.h"

namespace {

class CMd2Import : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"MD2 Import", PLUGIN_IMPORT, {1, 0, 0, 1}, "Halvard",
                                     "Imports Quake II models (*.MD2): the first animation frame with its skin.", ""});
    }

    const char* GetRegistration() override
    {
        return "<KXIMP><EXTNUM:1><T:1 EXT:\"MD2\" INF:\"Quake II Model\" ICO:2007>";
    }

    PlugInResult Process(skModel* model, const char16_t* fileName, ...) override
    {
        using kestrel::morphreader::Md2Import;
        return kestrel::importkit::ImportFile<Md2Import>(
            model, fileName, kestrel::morphreader::ParseMd2,
            [fileName](const Md2Import& md2, skModel* record) {
                const auto materials =
                    kestrel::morphreader::FindSkinMaterials(nimbus::Utf16ToUtf8(fileName), md2.file.skins);
                return kestrel::morphreader::BuildModel(md2, materials, record);
            },
            [fileName](skModel* record) {
                // Read as the MS3D importer reads its own; a wrong side file never fails the import.
                if (skModelGetAnimationLength(record) != 0)
                    kestrel::shapebin::ApplySideFile(kestrel::shapebin::SideFileName(fileName), record);
            });
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CMd2Import)
