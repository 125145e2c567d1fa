// The MS3D ASCII export plug-in: asks for the file and the parts, then writes them.

#include "ms3d_ascii_dialog.h"
#include "plugframe/frame_ui.h"
#include "plugframe/plugin_info.h"

namespace {

class CMs3dAsciiExport : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"MS3D ASCII...", PLUGIN_EXPORT, {1, 1, 0, 137}, "Halvard",
                                     "Exports MilkShape 3D models in ASCII format (*.TXT). Full support of MS3D 1.7.7 "
                                     "File Specification, including skeletal animation and materials.",
                                     "<KXEXP><EXTNUM:1><T:1 EXT:\"TXT\" INF:\"Text Document\">"});
    }

    const char* GetRegistration() override { return "..."; }

    PlugInResult Process(skModel* model, const char16_t*, ...) override
    {
        if (!model)
            return PLUGIN_RESULT_FAILED;
        if (!HasWidgetApplication())
            return PLUGIN_RESULT_DONE;
        CMs3dAsciiOptionsDlg dialog(model);
        dialog.exec();
        return PLUGIN_RESULT_DONE;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CMs3dAsciiExport)
