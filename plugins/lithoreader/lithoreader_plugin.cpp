// The STL import plug-in: reads the named file, ASCII or binary, into one group.

#include <new>

#include "importkit/import_file.h"
#include "plugframe/plugin_info.h"
#include "stl_import.h"

namespace {

class CStlImport : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"STL Import", PLUGIN_IMPORT, {1, 1, 0, 67}, "Halvard",
                                     "Imports Stereo Litography files. Both ACII and binary format versions supported.",
                                     ""});
    }

    const char* GetRegistration() override
    {
        return "<KXIMP><EXTNUM:3>"
               "<T:1 EXT:\"STL\" INF:\"Stereo Litography\" ICO:2007>"
               "<T:1 EXT:\"STLA\" INF:\"Stereo Litography\" ICO:2007>"
               "<T:1 EXT:\"STLB\" INF:\"Stereo Litography\" ICO:2007>";
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
        kestrel::stl::File file;
        if (kestrel::stl::Parse(bytes.data(), bytes.size(), file) != kestrel::stl::ParseStatus::Ok)
            return PLUGIN_RESULT_FAILED;
        bytes = {};
        return kestrel::stl::BuildModel(file, model) ? PLUGIN_RESULT_CHANGED : PLUGIN_RESULT_FAILED;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CStlImport)
