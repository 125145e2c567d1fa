// The BVH import plug-in: reads a motion-capture skeleton and its animation.

#include "importkit/import_plugin.h"
#include "plugframe/plugin_info.h"
#include "bvh_import.h"

namespace {

class CBvhImport : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"BVH Import", PLUGIN_IMPORT, {1, 1, 0, 173}, "Halvard",
                                     "Imports BioVision Hierarchy Data (motion capture) objects (*.BVH).",
                                     ""});
    }

    const char* GetRegistration() override
    {
        return "<KXIMP><EXTNUM:1><T:1 EXT:\"BVH\" INF:\"BioVision Hierarchy Data\" ICO:2007>";
    }

    PlugInResult Process(skModel* model, const char16_t* fileName, ...) override
    {
        return kestrel::importkit::ImportFile<kestrel::bvh::File>(
            model, fileName,
            [](const std::vector<uint8_t>& bytes, kestrel::bvh::File& file) {
                return kestrel::bvh::Parse(bytes.data(), bytes.size(), file) == kestrel::bvh::ParseStatus::Ok;
            },
            kestrel::bvh::BuildModel);
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CBvhImport)
