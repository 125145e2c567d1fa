// The normals recalculation plug-in: asks for the smoothing angle, then rebuilds the
// normals of every mesh.

#include "plugframe/plugin_info.h"
#include "toolkit/dialog_process.h"
#include "smoother_dialog.h"

namespace {

class CSmoother : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"Recalculate Normals...", PLUGIN_EDIT, {2, 1, 0, 119}, "Halvard",
                                     "Performs recalculation of model normal vectors and regeneration of smoothing "
                                     "groups.",
                                     "..."});
    }

    const char* GetRegistration() override { return "..."; }

    PlugInResult Process(skModel* model, const char16_t*, ...) override
    {
        return kestrel::toolkit::RunDialogProcess<CSmootherOptionsDlg>(model, kestrel::toolkit::AcceptedDialog::ChangesModel);
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CSmoother)
