// The STL export plug-in: asks for the file and the form, then writes the model.

#include <new>

#include "plugframe/frame_ui.h"
#include "plugframe/plugin_info.h"
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
        if (!model)
            return PLUGIN_RESULT_FAILED;
        if (!HasWidgetApplication())
            return PLUGIN_RESULT_DONE;
        CStlOptionsDlg dialog(model);
        dialog.exec();
        return PLUGIN_RESULT_DONE;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CStlExport)
