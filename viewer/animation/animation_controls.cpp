#include "animation_controls.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include "animation_commands.h"
#include "animation_keys.h"
#include "animation_widgets.h"
#include "command_ids.h"
#include "command_registry.h"
#include "kestrel_doc.h"
#include "main_frame.h"
#include "model_animation.h"
#include "platform/file_text.h"
#include "sequence_combo.h"
#include "status_pane_texts.h"
#include "status_panes.h"

namespace kestrel::anim {
namespace {

constexpr int kButtonCommands[] = {cmd::kPlay,    cmd::kStop,     cmd::kPause,    cmd::kLoopBack,
                                   cmd::kLoopNext, cmd::kSpeedUp,  cmd::kSlowDown, cmd::kRepeat,
                                   cmd::kStepBack, cmd::kStepForward};
constexpr int kTickMilliseconds = 100;

struct KeyCommand {
    int id;
    AnimationKey key;
};
constexpr KeyCommand kKeyCommands[] = {{cmd::kPlayPause, AnimationKey::kPlayPause},
                                       {cmd::kFirstFrame, AnimationKey::kFirstFrame},
                                       {cmd::kLastFrame, AnimationKey::kLastFrame}};

void ShowPane(QLabel* pane, const PaneState& state)
{
    if (!pane)
        return;
    pane->setText(platform::TextFromFile(state.text));
    if (state.enabled)
        pane->setEnabled(*state.enabled);
}

} // namespace

CAnimationControls::CAnimationControls(frame::CMainFrame& frame, view::CKestrelDoc& doc, QObject* parent)
    : QObject(parent), frame_(frame), doc_(doc)
{
    sequences_ = MakeSequencesCombo(&frame);
    frames_ = MakeFramesSeekBar(&frame);
    frame_.HostInBar(cmd::kAnimationBar, sequences_);
    frame_.HostInBar(cmd::kFramesBar, frames_);
    RegisterCommands();
    connect(sequences_, &QComboBox::activated, this, &CAnimationControls::OnSequenceChosen);
    connect(frames_, &QSlider::valueChanged, this, &CAnimationControls::OnSliderMoved);
    connect(frames_, &QSlider::sliderPressed, this, &CAnimationControls::OnSliderPressed);
    connect(frames_, &QSlider::sliderReleased, this, &CAnimationControls::OnSliderReleased);
    connect(&doc_, &view::CKestrelDoc::panelsChanged, this, &CAnimationControls::RefreshLoopControls);
    connect(&doc_, &view::CKestrelDoc::frameRateChanged, this, [this] { RefreshPanes(Snapshot()); });
    connect(&doc_, &view::CKestrelDoc::statusChanged, this, [this] { RefreshPanes(Snapshot()); });
    playbackTick_.setInterval(kTickMilliseconds);
    connect(&playbackTick_, &QTimer::timeout, this, &CAnimationControls::OnPlaybackTick);
    RefreshLoopControls();
}

CAnimationControls::~CAnimationControls()
{
    frame_.Commands().Unregister(this);
    frame_.RefreshCommands();
    // The bars own the widgets; without a document they have nothing to show.
    delete sequences_;
    delete frames_;
}

void CAnimationControls::RegisterCommands()
{
    commands::CCommandRegistry& registry = frame_.Commands();
    for (int id : kButtonCommands)
        registry.Register(id, this,
                          commands::CommandHandler{[this, id] { OnCommand(id); },
                                                   [this, id] { return IsCommandEnabled(id, Snapshot()); },
                                                   [this, id] { return IsCommandChecked(id, Snapshot()); }});
    for (const KeyCommand& k : kKeyCommands)
        registry.Register(k.id, this,
                          commands::CommandHandler{[this, key = k.key] { OnKey(key); },
                                                   [this, key = k.key] { return IsKeyEnabled(key, Snapshot()); },
                                                   {}});
}

AnimationSnapshot CAnimationControls::Snapshot() const
{
    return ReadAnimationSnapshot(doc_.Data(), DocumentFigures{doc_.AnimationSpeed(), doc_.ImageView().zoom, doc_.FrameRate()});
}

void CAnimationControls::RefreshLoopControls()
{
    const AnimationSnapshot s = Snapshot();
    hold_.Forget();
    loopNames_ = ReadLoopNames(doc_.Data().model);
    filling_ = true;
    sequences_->clear();
    for (const std::string& entry : SequenceEntries(s, loopNames_))
        sequences_->addItem(platform::TextFromFile(entry));
    sequences_->setCurrentText(platform::TextFromFile(SequenceText(s, loopNames_)));
    range_ = SeekBarRange(s);
    frames_->setRange(0, range_.limit);
    frames_->setPageStep(range_.pageSize);
    frames_->setValue(0);
    filling_ = false;
    RefreshStates();
}

void CAnimationControls::RefreshStates()
{
    const AnimationSnapshot s = Snapshot();
    frame_.RefreshCommands();
    sequences_->setEnabled(IsCommandEnabled(cmd::kSequences, s));
    frames_->setEnabled(IsCommandEnabled(cmd::kFramesSlider, s));
    RefreshPanes(s);
    if (IsRunning(s))
        playbackTick_.start();
    else
        playbackTick_.stop();
}

void CAnimationControls::OnFrameDrawn()
{
    if (doc_.ViewMode() == doc::kImage)
        RefreshPanes(Snapshot());
}

void CAnimationControls::RefreshPanes(const AnimationSnapshot& s)
{
    const StatusPaneStates panes = StatusPanes(s);
    ShowPane(frame_.Panes().Label(frame::CStatusPanes::kSpeed), panes.speed);
    ShowPane(frame_.Panes().Label(frame::CStatusPanes::kFrame), panes.frame);
    ShowPane(frame_.Panes().Label(frame::CStatusPanes::kFps), panes.fps);
}

void CAnimationControls::OnCommand(int id)
{
    ModelTarget target(doc_.Data().model);
    const CommandOutcome outcome = RunCommand(id, Snapshot(), target);
    if (outcome.speed)
        doc_.SetAnimationSpeed(*outcome.speed);
    if (outcome.refreshLoopControls)
        RefreshLoopControls();
    else
        RefreshStates();
    if (outcome.redraw)
        doc_.Redraw();
}

void CAnimationControls::OnKey(AnimationKey key)
{
    const AnimationSnapshot s = Snapshot();
    if (!IsKeyEnabled(key, s))
        return;
    ModelTarget target(doc_.Data().model);
    Apply(KeyOp(key, s), target);
    RefreshStates();
    doc_.Redraw();
}

void CAnimationControls::OnSequenceChosen(int index)
{
    if (filling_ || index < 0)
        return;
    const AnimationSnapshot s = Snapshot();
    // By the loop's own name: the combo's text may not give back bytes that are not UTF-8.
    const std::vector<std::string> entries = SequenceEntries(s, loopNames_);
    if (size_t(index) >= entries.size())
        return;
    ModelTarget target(doc_.Data().model);
    Apply(ChooseSequenceOp(s, loopNames_, entries[size_t(index)]), target);
    RefreshLoopControls();
    doc_.Redraw();
}

void CAnimationControls::OnSliderMoved(int position)
{
    if (filling_)
        return;
    ModelTarget target(doc_.Data().model);
    Apply(SeekOp(Snapshot(), ClampSeekPosition(position, range_)), target);
    RefreshPanes(Snapshot());
    doc_.Redraw();
}

void CAnimationControls::OnSliderPressed()
{
    ModelTarget target(doc_.Data().model);
    Apply(hold_.Press(Snapshot()), target);
    RefreshStates();
}

void CAnimationControls::OnSliderReleased()
{
    ModelTarget target(doc_.Data().model);
    Apply(hold_.Release(Snapshot()), target);
    RefreshStates();
    doc_.Redraw();
}

void CAnimationControls::OnPlaybackTick()
{
    const AnimationSnapshot s = Snapshot();
    if (!hold_.Held()) {
        filling_ = true;
        frames_->setValue(SeekPositionForTime(s, range_));
        filling_ = false;
    }
    RefreshPanes(s);
    if (!IsRunning(s))
        RefreshStates();
}

} // namespace kestrel::anim
