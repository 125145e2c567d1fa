#include "video_commands.h"

#include "avi_recording_dialog.h"
#include "avi_settings_dialog.h"
#include "command_ids.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "main_frame.h"
#include "status_message.h"

namespace kestrel::capture {
namespace {

constexpr int kInfoSeverity = 0, kErrorSeverity = 3;

std::vector<LoopRange> LoopsOf(const CModel& model)
{
    std::vector<LoopRange> loops;
    for (const CAnimSequence& sequence : model.mSequences)
        loops.push_back(LoopRange{sequence.mName, sequence.mStart, sequence.mEnd});
    return loops;
}

bool CanRecord(view::CKestrelDoc& doc)
{
    return doc.ViewMode() == doc::kModel && !doc.Data().model.mSequences.empty();
}

void RecordVideo(frame::CMainFrame& frame, view::CKestrelDoc& doc, view::CKestrelView& view)
{
    CModel& model = doc.Data().model;
    const std::vector<LoopRange> loops = LoopsOf(model);
    if (loops.empty())
        return;
    const AviSettings defaults =
        DefaultAviSettings(doc.PathName().toStdString(), model.mFps, loops, model.AniGetCurrentLoop());
    CAviSettingsDialog settings(defaults, loops, &frame);
    if (settings.exec() != QDialog::Accepted)
        return;
    const AviSettings chosen = settings.Settings();
    if (chosen.loop < 0 || size_t(chosen.loop) >= loops.size())
        return;
    CAviRecordingDialog recording(view, doc, chosen, loops[size_t(chosen.loop)], &frame);
    recording.exec();
    if (!recording.Outcome().isEmpty())
        frame.Status().Set(recording.Outcome(),
                           recording.Outcome().startsWith(QStringLiteral("Video saved")) ? kInfoSeverity : kErrorSeverity);
    frame.RefreshCommands();
}

} // namespace

void RegisterVideoCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                           frame::CMainFrame& frame, view::CKestrelDoc& doc, view::CKestrelView& view)
{
    registry.Register(cmd::kRecordAvi, owner,
                      commands::CommandHandler{[&frame, &doc, &view] { RecordVideo(frame, doc, view); },
                                               [&doc] { return CanRecord(doc); },
                                               {}});
}

} // namespace kestrel::capture
