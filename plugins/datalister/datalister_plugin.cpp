// The model data dump plug-in: writes what the record holds into a text file.

#include "dump_runner.h"
#include "plugframe/frame_ui.h"
#include "plugframe/plugin_info.h"

namespace {

class CModelDump : public CPlugIn {
public:
    bool GetInfo(PlugInInfo* info) override
    {
        return FillPlugInInfo(info, {"Model Data Dump...", PLUGIN_TOOL, {1, 1, 0, 59}, "Halvard",
                                     "Creates a text log file with complete model data information.", "..."});
    }

    const char* GetRegistration() override { return "..."; }

    PlugInResult Process(skModel* model, const char16_t*, ...) override
    {
        if (!model)
            return PLUGIN_RESULT_FAILED;
        if (HasWidgetApplication())
            kestrel::datalister::AskAndDump(model);
        return PLUGIN_RESULT_DONE;
    }
};

} // namespace

KESTREL_PLUGIN_EXPORTS(CModelDump)
