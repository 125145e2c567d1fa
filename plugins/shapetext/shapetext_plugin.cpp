// The MS3D ASCII export plug-in: asks for the file and the parts, then writes them.

#include "ms3d_ascii_dialog.h"
#include "plugframe/plugin_info.h"
#include "toolkit/dialog_process.h"

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
        return kestrel::toolkit::RunDialogProcess<CMs3dAsciiOptionsDlg>(model, kestrel::toolkit::AcceptedDialog::LeavesModel);
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CMs3dAsciiExport)
