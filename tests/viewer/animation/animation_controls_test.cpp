#include <gtest/gtest.h>

#include "x_server.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <filesystem>

#include "command_ids.h"
#include "bound_frame.h"
#include "frame_binding.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "main_frame.h"
#include "sample_files.h"
#include "status_panes.h"
#include "temp_dir.h"

namespace {

using namespace kestrel;

QString Pane(frame::CMainFrame& frame, int pane) { return frame.Panes().Label(pane)->text(); }

TEST(AnimationControls, TheArmPlaysSwitchesSequencesAndShowsItsFrames)
{
    KESTREL_SKIP_WITHOUT_X_SERVER();
    test::BoundFrame bound(800, 600);
    ASSERT_TRUE(bound.Ready());
    frame::CMainFrame& frame = bound.frame;
    view::CFrameBinding* binding = bound.binding;
    EXPECT_FALSE(frame.Action(cmd::kPlay)->isEnabled()); // nothing open yet
    EXPECT_EQ(bound.Sequences()->currentText(), "No Animation");

    test::TempDir dir;
    ASSERT_TRUE(samples::WriteAnimatedArm(dir.Path().string()));
    emit frame.OpenFileRequested(QString::fromStdString(dir.File("arm.ms3d")));
    QComboBox* combo = bound.Sequences();
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(1), "Bend");
    EXPECT_TRUE(combo->isEnabled());
    EXPECT_TRUE(frame.Action(cmd::kPlay)->isEnabled());
    EXPECT_TRUE(Pane(frame, frame::CStatusPanes::kFrame).startsWith("Frame: 1/"));
    EXPECT_EQ(Pane(frame, frame::CStatusPanes::kSpeed), "Animation Speed: 1.00");

    // Choosing a sequence makes it current.
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_EQ(binding->Doc().Data().model.AniGetCurrentLoop(), 2);
    EXPECT_EQ(combo->currentText(), "Turn");

    frame.Action(cmd::kPlay)->trigger();
    EXPECT_TRUE(binding->Doc().Data().model.AniIsPlaying());
    const QImage first = binding->View().grabFramebuffer();
    QTest::qWait(400);
    const QImage later = binding->View().grabFramebuffer();
    EXPECT_NE(first, later); // the arm moved

    frame.Action(cmd::kSpeedUp)->trigger();
    EXPECT_EQ(Pane(frame, frame::CStatusPanes::kSpeed), "Animation Speed: 1.05");
    frame.Action(cmd::kLoopBack)->trigger();
    EXPECT_EQ(combo->currentText(), "Bend");
    // Space pauses and plays again; Home goes to the loop's first frame.
    QAction* playPause = frame.Action(cmd::kPlayPause);
    EXPECT_EQ(playPause->shortcut(), QKeySequence(Qt::Key_Space));
    EXPECT_EQ(frame.Action(cmd::kStepForward)->shortcut(), QKeySequence(Qt::Key_Period));
    playPause->trigger();
    EXPECT_TRUE(binding->Doc().Data().model.AniIsPaused());
    playPause->trigger();
    EXPECT_FALSE(binding->Doc().Data().model.AniIsPaused());
    frame.Action(cmd::kFirstFrame)->trigger();
    EXPECT_TRUE(Pane(frame, frame::CStatusPanes::kFrame).startsWith("Frame: 1/"))
        << Pane(frame, frame::CStatusPanes::kFrame).toStdString();

    frame.Action(cmd::kStop)->trigger();
    EXPECT_FALSE(binding->Doc().Data().model.AniIsPlaying());
    const float stopped = binding->Doc().Data().model.AniGetCurrentTime();
    frame.Action(cmd::kStepForward)->trigger(); // stopped: stepping does nothing
    EXPECT_EQ(binding->Doc().Data().model.AniGetCurrentTime(), stopped);
}

} // namespace
