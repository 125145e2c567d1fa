#pragma once
// Process of a plug-in whose work is done from its modal dialog.

#include <QDialog>

#include "plugframe/frame_ui.h"
#include "plugframe/plugin.h"

namespace kestrel::toolkit {

enum class AcceptedDialog {
    LeavesModel,    // the dialog writes files; the model stays as it was
    ChangesModel,   // accepting the dialog changed the model
};

// No record fails; without a window system there is no one to ask, so nothing is done.
template <class Dialog>
PlugInResult RunDialogProcess(skModel* model, AcceptedDialog accepted)
{
    if (!model)
        return PLUGIN_RESULT_FAILED;
    if (!HasWidgetApplication())
        return PLUGIN_RESULT_DONE;
    Dialog dialog(model);
    const bool changed = dialog.exec() == QDialog::Accepted && accepted == AcceptedDialog::ChangesModel;
    return changed ? PLUGIN_RESULT_CHANGED : PLUGIN_RESULT_DONE;
}

} // namespace kestrel::toolkit
