// The BVH import plug-in: reads a motion-capture skeleton and its animation.

#include <new>

#include "importkit/import_file.h"
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
        kestrel::bvh::File file;
        if (kestrel::bvh::Parse(bytes.data(), bytes.size(), file) != kestrel::bvh::ParseStatus::Ok)
            return PLUGIN_RESULT_FAILED;
        bytes = {};
        return kestrel::bvh::BuildModel(file, model) ? PLUGIN_RESULT_CHANGED : PLUGIN_RESULT_FAILED;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CBvhImport)
