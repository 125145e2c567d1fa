// The STL export plug-in: asks for the file and the form, then writes the model.

#include "plugframe/plugin_info.h"
#include "toolkit/dialog_process.h"
#include "stl_options_dialog.h"

namespace {

class CStlExport : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"Stereo Litography...", PLUGIN_EXPORT, {1, 1, 0, 45}, "Halvard",
                                     "Exports scene to Stereo Litography files (*.STL, *.STLA, *.STLB). Both ASCII "
                                     "and binary format versions supported.",
                                     "..."});
    }

    const char* GetRegistration() override { return "..."; }

    PlugInResult Process(skModel* model, const char16_t*, ...) override
    {
        return kestrel::toolkit::RunDialogProcess<CStlOptionsDlg>(model, kestrel::toolkit::AcceptedDialog::LeavesModel);
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CStlExport)
