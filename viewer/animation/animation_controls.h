#pragma once
// The animation feature in the window: its commands, the sequences combo, the frames seek
// bar and the speed, frame and frame-rate panes, all decided by the widget-free rules here.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <string>
#include <vector>

#include "animation_keys.h"
#include "animation_snapshot.h"
#include "seek_bar.h"

class QComboBox;
class QSlider;

namespace kestrel::frame {
class CMainFrame;
}
namespace kestrel::view {
class CKestrelDoc;
} // namespace kestrel::view

namespace kestrel::anim {

class CAnimationControls : public QObject {
    Q_OBJECT
public:
    // A child of `parent`, which outlives neither the frame nor the document. Puts its combo
    // and seek bar in the frame's bars and registers its commands with the frame.
    CAnimationControls(frame::CMainFrame& frame, view::CKestrelDoc& doc, QObject* parent);
    ~CAnimationControls() override;

    // After a load or plug-in run: the combo's list, the seek bar's range, panes and actions.
    void RefreshLoopControls();
    // Enable and check states of the commands, and the panes.
    void RefreshStates();
    // The image's zoom pane follows every drawn frame; the model's panes follow the animation.
    void OnFrameDrawn();

private:
    void RegisterCommands();
    AnimationSnapshot Snapshot() const;
    void OnCommand(int id);
    void OnKey(AnimationKey key);
    void OnSequenceChosen(int index);
    void OnSliderMoved(int position);
    void OnSliderPressed();
    void OnSliderReleased();
    void OnPlaybackTick();
    void RefreshPanes(const AnimationSnapshot& s);

    frame::CMainFrame& frame_;
    view::CKestrelDoc& doc_;
    // Owned by the frame's bars.
    QPointer<QComboBox> sequences_;
    QPointer<QSlider> frames_;
    std::vector<std::string> loopNames_;
    SeekRange range_{};
    SeekHold hold_;
    QTimer playbackTick_; // the seek bar and the frame pane follow a playing animation
    bool filling_ = false;
};

} // namespace kestrel::anim
