// The landscape generator plug-in: builds a landscape mesh from a height image.

#include "plugframe/frame_ui.h"
#include "plugframe/plugin_info.h"
#include "terrainer_dialog.h"

namespace {

class CTerrainer : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"Landscape Generator...", PLUGIN_TOOL, {2, 1, 0, 120}, "Halvard",
                                     "Generates 3D landscapes using 2D image data (height maps).", "..."});
    }

    const char* GetRegistration() override { return "..."; }

    PlugInResult Process(skModel* model, const char16_t*, ...) override
    {
        if (!model)
            return PLUGIN_RESULT_FAILED;
        if (!HasWidgetApplication())
            return PLUGIN_RESULT_DONE;
        CTerrainOptionsDlg dialog(model);
        return dialog.exec() == QDialog::Accepted ? PLUGIN_RESULT_CHANGED : PLUGIN_RESULT_DONE;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CTerrainer)
