#include <gtest/gtest.h>

#include "seek_bar.h"
#include "status_pane_texts.h"

namespace {

using namespace kestrel;
using namespace kestrel::anim;

AnimationSnapshot Loop(float start, float end)
{
    AnimationSnapshot s;
    s.hasAnimation = true;
    s.loopCount = 1;
    s.loopStart = start;
    s.loopEnd = end;
    s.currentTime = start;
    s.viewMode = doc::kModel;
    return s;
}

TEST(SeekBar, PageSizeRoundsAndTheLimitAddsIt)
{
    EXPECT_EQ(SeekBarRange(Loop(1, 30)), (SeekRange{2, 31}));  // 30 / 20 = 1.5
    EXPECT_EQ(SeekBarRange(Loop(0, 49)), (SeekRange{3, 52}));  // 2.5
    EXPECT_EQ(SeekBarRange(Loop(0, 9)), (SeekRange{1, 10}));   // 0.5
    EXPECT_EQ(SeekBarRange(Loop(0, 8)), (SeekRange{2, 10}));   // 0.45 rounds to 0
    EXPECT_EQ(SeekBarRange(Loop(10, 10)), (SeekRange{2, 2}));
    EXPECT_EQ(SeekBarRange(Loop(0.0f, 20.6f)), (SeekRange{1, 21})); // 21.6 frames, truncated
    EXPECT_EQ(SeekBarRange(AnimationSnapshot{}), (SeekRange{0, 0}));
    // A loop that ends before it starts gets no negative range.
    EXPECT_EQ(SeekBarRange(Loop(50, 10)).limit, 0);
}

TEST(SeekBar, MovingClampsAndSetsTheTimeFromTheLoopStart)
{
    const AnimationSnapshot s = Loop(10, 40);
    const SeekRange range = SeekBarRange(s);
    EXPECT_EQ(ClampSeekPosition(100, range), range.limit);
    EXPECT_EQ(ClampSeekPosition(-4, range), 0);
    EXPECT_EQ(SeekOp(s, ClampSeekPosition(7, range)), (AnimationOp{AnimationOp::kSetTime, 17.0f}));
    EXPECT_EQ(SeekOp(AnimationSnapshot{}, 7).kind, AnimationOp::kNone);
}

TEST(SeekBar, FollowsTheTimeWhilePlaying)
{
    AnimationSnapshot s = Loop(10, 40);
    const SeekRange range = SeekBarRange(s);
    s.currentTime = 15.7f;
    EXPECT_EQ(SeekPositionForTime(s, range), 0); // stopped
    s.playing = true;
    EXPECT_EQ(SeekPositionForTime(s, range), 5);
    s.currentTime = 90.0f;
    EXPECT_EQ(SeekPositionForTime(s, range), range.limit);
}

TEST(SeekBar, ReleaseResumesOnlyWhatThePressPaused)
{
    AnimationSnapshot running = Loop(10, 40);
    running.playing = true;
    AnimationSnapshot paused = running;
    paused.paused = true;

    SeekHold hold;
    EXPECT_EQ(hold.Press(running).kind, AnimationOp::kPause);
    EXPECT_TRUE(hold.Held());
    EXPECT_EQ(hold.Release(paused), (AnimationOp{AnimationOp::kPlay, 0.0f}));
    EXPECT_FALSE(hold.Held());

    // Already paused by the user: stays paused.
    EXPECT_EQ(hold.Press(paused).kind, AnimationOp::kNone);
    EXPECT_EQ(hold.Release(paused).kind, AnimationOp::kNone);

    // Stopped while held: release does not start it again.
    hold.Press(running);
    EXPECT_EQ(hold.Release(Loop(10, 40)).kind, AnimationOp::kNone);

    hold.Press(running);
    hold.Forget();
    EXPECT_EQ(hold.Release(paused).kind, AnimationOp::kNone);
}

TEST(StatusPanes, ModelModeShowsSpeedFrameAndRate)
{
    AnimationSnapshot s = Loop(10, 40);
    s.speed = 0.35f;
    s.frameRate = 59.987f;
    StatusPaneStates panes = StatusPanes(s);
    EXPECT_EQ(panes.speed, (PaneState{"Animation Speed: 0.35", true}));
    EXPECT_EQ(panes.frame, (PaneState{"Frame: 1/31", true}));
    EXPECT_EQ(panes.fps, (PaneState{"FPS: 59.99", std::nullopt}));

    s.playing = true;
    s.currentTime = 24.9f;
    EXPECT_EQ(StatusPanes(s).frame.text, "Frame: 15/31");

    EXPECT_EQ(StatusPanes(Loop(10, 10)).frame.text, "Frame: 1/1");

    AnimationSnapshot still;
    still.viewMode = doc::kModel;
    still.speed = 3.0f;
    panes = StatusPanes(still);
    EXPECT_EQ(panes.speed, (PaneState{"Animation Speed: 1.00", false}));
    EXPECT_EQ(panes.frame, (PaneState{"Frame: 1/1", false}));
    EXPECT_EQ(panes.fps.text, "FPS: 0.00");
    // A new status bar shows what a model without animation shows.
    EXPECT_EQ(InitialStatusPanes(), panes);
}

TEST(StatusPanes, ImageAndEmptyModes)
{
    AnimationSnapshot s = Loop(10, 40);
    s.viewMode = doc::kImage;
    s.imageZoom = 0.29f;
    StatusPaneStates panes = StatusPanes(s);
    EXPECT_EQ(panes.speed, (PaneState{"Zoom: 29%", true}));
    EXPECT_EQ(panes.frame, (PaneState{"", std::nullopt}));
    EXPECT_EQ(panes.fps, (PaneState{"", std::nullopt}));
    s.imageZoom = 1.256f;
    EXPECT_EQ(StatusPanes(s).speed.text, "Zoom: 125%");
    s.imageZoom = 0.999f;
    EXPECT_EQ(StatusPanes(s).speed.text, "Zoom: 99%");

    s.viewMode = doc::kEmpty;
    panes = StatusPanes(s);
    EXPECT_EQ(panes.speed, (PaneState{"", true}));
    EXPECT_EQ(panes.frame, (PaneState{"", true}));
    EXPECT_EQ(panes.fps.text, "");
}

TEST(StatusPanes, MessageIconBySeverity)
{
    EXPECT_EQ(MessagePane("Model loaded", doc::kInformation).icon, kInformationIcon);
    EXPECT_EQ(MessagePane("Cannot open", doc::kError).icon, kErrorIcon);
    EXPECT_EQ(MessagePane("Oops", doc::kUnexpected).icon, kUnexpectedIcon);
    EXPECT_EQ(MessagePane("Plain", 0).icon, kNoIcon);
    EXPECT_EQ(MessagePane("Odd", 7).icon, kNoIcon);
    const MessagePaneState empty = MessagePane("", doc::kError);
    EXPECT_EQ(empty.severity, 0);
    EXPECT_EQ(empty.icon, kNoIcon);
}

} // namespace
