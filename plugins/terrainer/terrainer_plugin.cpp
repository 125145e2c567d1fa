// The landscape generator plug-in: builds a landscape mesh from a height image.

#include "plugframe/plugin_info.h"
#include "toolkit/dialog_process.h"
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
        return kestrel::toolkit::RunDialogProcess<CTerrainOptionsDlg>(model, kestrel::toolkit::AcceptedDialog::ChangesModel);
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CTerrainer)
