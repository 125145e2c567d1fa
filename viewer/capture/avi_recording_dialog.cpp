#include "avi_recording_dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "avi_writer.h"
#include "codec_dialog.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "video_frames.h"

namespace kestrel::capture {
namespace {
constexpr int kProgressIntervalMs = 100;
}

CAviRecordingDialog::CAviRecordingDialog(view::CKestrelView& view, view::CKestrelDoc& doc, const AviSettings& settings,
                                         const LoopRange& loop, QWidget* parent)
    : QDialog(parent), view_(view), doc_(doc), settings_(settings), loop_(loop), frames_(FramesToRecord(settings))
{
    setWindowTitle(QStringLiteral("AVI Recording"));
    setObjectName("aviRecording");
    text_ = new QLabel(QStringLiteral("Press \"Start\" to setup codec and record"));
    text_->setObjectName("recordingText");
    progress_ = new QProgressBar;
    progress_->setObjectName("recordingProgress");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    percent_ = new QLabel(QStringLiteral("0%"));
    percent_->setObjectName("recordingPercent");
    percent_->setMinimumWidth(40);
    start_ = new QPushButton(QStringLiteral("&Start"));
    start_->setObjectName("startRecording");
    start_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName("cancelRecording");
    connect(start_, &QPushButton::clicked, this, &CAviRecordingDialog::Start);
    connect(cancel, &QPushButton::clicked, this, &CAviRecordingDialog::reject);
    auto* bar = new QHBoxLayout;
    bar->addWidget(progress_, 1);
    bar->addWidget(percent_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(bar);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    progressTimer_.setInterval(kProgressIntervalMs);
    connect(&progressTimer_, &QTimer::timeout, this, &CAviRecordingDialog::ShowProgress);
}

void CAviRecordingDialog::ShowProgress()
{
    const int total = std::max(1, FramesTotal());
    const int percent = int(int64_t(done_) * 100 / total);
    progress_->setValue(percent);
    percent_->setText(QString::asprintf("%d%%", percent));
}

void CAviRecordingDialog::Start()
{
    CCodecDialog codecs(this);
    if (codecs.exec() != QDialog::Accepted)
        return; // no compressor chosen: nothing is recorded
    if (!Record(codecs.Options()) && !initError_.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, windowTitle(), outcome_, QMessageBox::Ok, this);
        box.setInformativeText(initError_);
        box.exec();
    }
    accept();
}

bool CAviRecordingDialog::Record(const VideoOptions& options)
{
    if (recording_)
        return false;
    CAviWriter writer;
    if (!writer.Open(settings_.output, settings_.width, settings_.height, settings_.frameRate, options)) {
        outcome_ = QStringLiteral("AVI failed to init!");
        initError_ = QString::fromStdString(writer.LastError());
        return false;
    }
    CVideoFrames frames(view_, doc_, settings_.width, settings_.height);
    CModel& model = doc_.Data().model;
    model.AniSetLoop(unsigned(settings_.loop), true);
    model.AniStop();
    model.AniPlay(frames_.empty() ? loop_.start : FrameTime(loop_, frames_.front()));
    recording_ = true;
    cancelled_ = false;
    done_ = 0;
    drawMs_ = writeMs_ = totalMs_ = 0.0;
    // The view's own frames would move the animation on between ours.
    view_.SetRedrawPaused(true);
    QElapsedTimer total, step;
    total.start();
    start_->setEnabled(false);
    text_->setText(QStringLiteral("Recording %1").arg(QString::fromStdString(settings_.output)));
    progressTimer_.start();
    std::vector<uint8_t> bgr;
    std::string failure;
    for (float frame : frames_) {
        if (cancelled_)
            break;
        model.AniSetTime(FrameTime(loop_, frame));
        step.start();
        if (!frames.Draw(bgr)) {
            failure = "The frame could not be drawn.";
            break;
        }
        drawMs_ += double(step.nsecsElapsed()) / 1e6;
        step.start();
        if (!writer.WriteFrame(bgr.data())) {
            failure = writer.LastError();
            break;
        }
        writeMs_ += double(step.nsecsElapsed()) / 1e6;
        ++done_;
        // The dialog keeps answering: its progress, and Cancel.
        QApplication::processEvents();
    }
    progressTimer_.stop();
    totalMs_ = double(total.nsecsElapsed()) / 1e6;
    view_.SetRedrawPaused(false);
    view_.update();
    ShowProgress();
    recording_ = false;
    // What was recorded stays, as a complete if shorter video.
    const bool written = done_ > 0 && writer.Close();
    if (!written)
        writer.Abandon();
    const QString name = QString::fromStdString(settings_.output);
    if (!failure.empty())
        outcome_ = QStringLiteral("Video recording failed: %1").arg(QString::fromStdString(failure));
    else if (!written)
        outcome_ = QStringLiteral("No video was written");
    else if (cancelled_)
        outcome_ = QStringLiteral("Video recording cancelled; %1 frames saved to %2").arg(done_).arg(name);
    else
        outcome_ = QStringLiteral("Video saved to %1 (%2 frames)").arg(name).arg(done_);
    return written;
}

double CAviRecordingDialog::FramesPerSecond() const
{
    return totalMs_ > 0.0 ? done_ * 1000.0 / totalMs_ : 0.0;
}

void CAviRecordingDialog::reject()
{
    if (recording_) {
        cancelled_ = true; // the loop ends after this frame
        return;
    }
    QDialog::reject();
}

} // namespace kestrel::capture
