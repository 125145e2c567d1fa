// The OFF import plug-in: reads the named Object File Format file into one group.

#include "importkit/import_plugin.h"
#include "plugframe/plugin_info.h"
#include "off_import.h"

namespace {

class COffImport : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"OFF Import", PLUGIN_IMPORT, {1, 1, 0, 107}, "Halvard",
                                     "Imports Object File Format Vector Graphic files (*.OFF).",
                                     ""});
    }

    const char* GetRegistration() override
    {
        return "<KXIMP><EXTNUM:1><T:1 EXT:\"OFF\" INF:\"Object File Format Vector Graphic\" ICO:2007>";
    }

    PlugInResult Process(skModel* model, const char16_t* fileName, ...) override
    {
        return kestrel::importkit::ImportFile<kestrel::off::File>(
            model, fileName,
            [](const std::vector<uint8_t>& bytes, kestrel::off::File& file) {
                return kestrel::off::Parse(bytes.data(), bytes.size(), file) == kestrel::off::ParseStatus::Ok;
            },
            kestrel::off::BuildModel);
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(COffImport)
