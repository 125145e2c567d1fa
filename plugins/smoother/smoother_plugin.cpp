// The normals recalculation plug-in: asks for the smoothing angle, then rebuilds the
// normals of every mesh.

#include "plugframe/frame_ui.h"
#include "plugframe/plugin_info.h"
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
        if (!model)
            return PLUGIN_RESULT_FAILED;
        if (!HasWidgetApplication())
            return PLUGIN_RESULT_DONE;
        CSmootherOptionsDlg dialog(model);
        return dialog.exec() == QDialog::Accepted ? PLUGIN_RESULT_CHANGED : PLUGIN_RESULT_DONE;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CSmoother)
