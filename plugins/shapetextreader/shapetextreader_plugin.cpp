// The MS3D ASCII import plug-in: the text files the MS3D ASCII exporter writes, recognised
// by their first line; any other text file is refused.

#include "importkit/import_plugin.h"
#include "ms3d_ascii_import.h"
#include "plugframe/plugin_info.h"

namespace {

class CMs3dAsciiImport : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"MS3D ASCII Import", PLUGIN_IMPORT, {1, 0, 0, 1}, "Halvard",
                                     "Imports MilkShape 3D ASCII model files (*.TXT) that begin with the line "
                                     "\"// MilkShape 3D ASCII\", including skeletal animation and materials.",
                                     ""});
    }

    const char* GetRegistration() override
    {
        return "<KXIMP><EXTNUM:1><T:1 EXT:\"TXT\" INF:\"MilkShape 3D ASCII\" ICO:2007>";
    }

    PlugInResult Process(skModel* model, const char16_t* fileName, ...) override
    {
        if (!model || !kestrel::shapetextreader::FileStartsAsMs3dAscii(fileName))
            return PLUGIN_RESULT_FAILED;
        return kestrel::importkit::ImportFile<nimbus::ms3d_ascii::File>(
            model, fileName, kestrel::shapetextreader::ParseMs3dAscii, kestrel::shapetextreader::BuildModel);
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CMs3dAsciiImport)
