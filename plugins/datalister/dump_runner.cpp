#include "dump_runner.h"

#include "model_dump.h"
#include "plugframe/progress_dialog.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/output_file.h"
#include "toolkit/tool_job.h"
#include "toolkit/tool_messages.h"

namespace kestrel::datalister {

int RunDumpWithProgress(const skModel* model, const QString& path, QWidget* parent)
{
    const std::string file = path.toStdString();
    toolkit::CToolJob job("Writing model data dump...", [&](CJobProgress& progress) {
        if (DumpModel(model, file, progress) == DumpResult::Written)
            return true;
        toolkit::ShowError(parent, toolkit::kMsgErrorWritingFile);
        return false;
    });
    ProgressDlgOptions options;
    options.title = kTitleExport;
    CProgressDlg dialog(job, options, parent);
    return dialog.exec();
}

bool AskAndDump(const skModel* model, QWidget* parent)
{
    const QString path = toolkit::AskSaveFileName(parent, kDumpFilter, "log");
    if (path.isEmpty())
        return false;
    RunDumpWithProgress(model, path, parent);
    return true;
}

} // namespace kestrel::datalister
