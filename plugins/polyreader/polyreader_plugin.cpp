// The OFF import plug-in: reads the named Object File Format file into one group.

#include <new>

#include "importkit/import_file.h"
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
        kestrel::off::File file;
        if (kestrel::off::Parse(bytes.data(), bytes.size(), file) != kestrel::off::ParseStatus::Ok)
            return PLUGIN_RESULT_FAILED;
        bytes = {};
        return kestrel::off::BuildModel(file, model) ? PLUGIN_RESULT_CHANGED : PLUGIN_RESULT_FAILED;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(COffImport)
