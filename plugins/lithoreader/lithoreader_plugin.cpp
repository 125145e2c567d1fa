// The STL import plug-in: reads the named file, ASCII or binary, one group per solid.

#include "importkit/import_plugin.h"
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
        return kestrel::importkit::ImportFile<kestrel::stl::File>(
            model, fileName,
            [](std::vector<uint8_t>& bytes, kestrel::stl::File& file) {
                return kestrel::stl::Parse(std::move(bytes), file) == kestrel::stl::ParseStatus::Ok;
            },
            kestrel::stl::BuildModelFreeingBytes);
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CStlImport)
