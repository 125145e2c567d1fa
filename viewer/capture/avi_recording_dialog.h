#pragma once
#include <QDialog>
#include <QTimer>
#include <vector>

#include "avi_settings.h"
#include "video_codecs.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace kestrel::view {
class CKestrelDoc;
class CKestrelView;
}

namespace kestrel::capture {

// "AVI Recording": Start asks for the compressor, then draws the chosen frames one by one
// and writes them, showing how far it got; Cancel stops and keeps what was recorded as a
// shorter, complete video.
class CAviRecordingDialog : public QDialog {
    Q_OBJECT
public:
    CAviRecordingDialog(view::CKestrelView& view, view::CKestrelDoc& doc, const AviSettings& settings,
                        const LoopRange& loop, QWidget* parent = nullptr);

    // Records with these options, without asking for them; false when nothing was written.
    bool Record(const VideoOptions& options);
    bool IsRecording() const { return recording_; }
    int FramesDone() const { return done_; }
    int FramesTotal() const { return int(frames_.size()); }
    // What the status bar should say afterwards; empty when nothing happened.
    const QString& Outcome() const { return outcome_; }
    // Where the last recording's time went.
    double FramesPerSecond() const;
    double DrawMilliseconds() const { return done_ > 0 ? drawMs_ / done_ : 0.0; }
    double WriteMilliseconds() const { return done_ > 0 ? writeMs_ / done_ : 0.0; }
    // Why the video file could not be made, when it could not.
    const QString& InitError() const { return initError_; }

protected:
    void reject() override;

private:
    void Start();
    void ShowProgress();

    view::CKestrelView& view_;
    view::CKestrelDoc& doc_;
    AviSettings settings_;
    LoopRange loop_;
    std::vector<float> frames_;
    int done_ = 0;
    double drawMs_ = 0.0, writeMs_ = 0.0, totalMs_ = 0.0;
    bool recording_ = false;
    bool cancelled_ = false;
    QString outcome_;
    QString initError_;
    QLabel* text_ = nullptr;
    QLabel* percent_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* start_ = nullptr;
    QTimer progressTimer_;
};

} // namespace kestrel::capture
