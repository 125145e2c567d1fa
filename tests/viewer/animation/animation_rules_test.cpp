#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "animation_commands.h"
#include "animation_keys.h"
#include "animation_speed.h"
#include "command_ids.h"
#include "sequence_combo.h"

namespace {

using namespace kestrel;
using namespace kestrel::anim;

AnimationSnapshot Animated(int loops = 3, int current = 0)
{
    AnimationSnapshot s;
    s.hasAnimation = true;
    s.loopCount = loops;
    s.currentLoop = current;
    s.loopStart = 10.0f;
    s.loopEnd = 40.0f;
    s.currentTime = 10.0f;
    s.viewMode = doc::kModel;
    return s;
}

AnimationSnapshot Playing(float time)
{
    AnimationSnapshot s = Animated();
    s.playing = true;
    s.currentTime = time;
    return s;
}

TEST(AnimationSpeed, StaysOnHundredthsWithinTheLimits)
{
    EXPECT_EQ(SpeedUp(9.98f), 10.0f);
    EXPECT_FALSE(CanSpeedUp(SpeedUp(9.98f)));
    EXPECT_TRUE(CanSpeedUp(9.98f));

    float speed = kDefaultSpeed;
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(CanSlowDown(speed)) << i;
        speed = SlowDown(speed);
    }
    EXPECT_EQ(speed, 0.0f);
    EXPECT_FALSE(CanSlowDown(speed));
    EXPECT_EQ(SlowDown(speed), 0.0f);

    for (int i = 0; i < 200; ++i)
        speed = SpeedUp(speed);
    EXPECT_EQ(speed, 10.0f);
    for (int i = 0; i < 180; ++i)
        speed = SlowDown(speed);
    EXPECT_EQ(speed, 1.0f);

    EXPECT_EQ(NormalizeSpeed(NAN), kDefaultSpeed);
    EXPECT_EQ(NormalizeSpeed(INFINITY), kMaxSpeed);
    EXPECT_EQ(NormalizeSpeed(-3.0f), kMinSpeed);
}

TEST(AnimationCommands, SpeedCommandsFollowTheirLimits)
{
    AnimationSnapshot s = Animated();
    s.speed = 9.98f;
    const CommandOutcome up = DecideCommand(cmd::kSpeedUp, s);
    ASSERT_TRUE(up.speed);
    EXPECT_EQ(*up.speed, 10.0f);
    EXPECT_TRUE(up.refreshPanes);
    s.speed = *up.speed;
    EXPECT_FALSE(IsCommandEnabled(cmd::kSpeedUp, s));
    EXPECT_FALSE(DecideCommand(cmd::kSpeedUp, s).speed);
    EXPECT_TRUE(IsCommandEnabled(cmd::kSlowDown, s));
    s.speed = 0.0f;
    EXPECT_FALSE(IsCommandEnabled(cmd::kSlowDown, s));
}

TEST(AnimationCommands, NothingIsEnabledOrCheckedWithoutAnimation)
{
    AnimationSnapshot s;
    s.viewMode = doc::kModel;
    s.playing = true;
    for (int id : {cmd::kPlay, cmd::kStop, cmd::kPause, cmd::kLoopBack, cmd::kLoopNext, cmd::kSpeedUp,
                   cmd::kSlowDown, cmd::kRepeat, cmd::kStepBack, cmd::kStepForward, cmd::kSequences,
                   cmd::kFramesSlider}) {
        EXPECT_TRUE(IsAnimationCommand(id)) << id;
        EXPECT_FALSE(IsCommandEnabled(id, s)) << id;
        EXPECT_FALSE(IsCommandChecked(id, s)) << id;
        EXPECT_EQ(DecideCommand(id, s).op.kind, AnimationOp::kNone) << id;
    }
    EXPECT_FALSE(IsAnimationCommand(cmd::kFileOpen));
    EXPECT_FALSE(IsCommandEnabled(cmd::kFileOpen, Animated()));
    EXPECT_FALSE(DecideCommand(cmd::kFileOpen, Animated()).redraw);
}

TEST(AnimationCommands, RepeatAnimationHasNoAction)
{
    EXPECT_FALSE(IsCommandEnabled(cmd::kRepeat, Animated()));
    const CommandOutcome out = DecideCommand(cmd::kRepeat, Playing(12.0f));
    EXPECT_EQ(out.op.kind, AnimationOp::kNone);
    EXPECT_FALSE(out.redraw);
}

TEST(AnimationCommands, PlayAndPauseShowTheirState)
{
    AnimationSnapshot s = Animated();
    EXPECT_FALSE(IsCommandChecked(cmd::kPlay, s));
    s.playing = true;
    EXPECT_TRUE(IsCommandChecked(cmd::kPlay, s));
    EXPECT_FALSE(IsCommandChecked(cmd::kPause, s));
    s.paused = true;
    EXPECT_FALSE(IsCommandChecked(cmd::kPlay, s));
    EXPECT_TRUE(IsCommandChecked(cmd::kPause, s));
    EXPECT_FALSE(IsCommandChecked(cmd::kStop, s));
}

TEST(AnimationCommands, BackAndNextWrapAroundTheLoops)
{
    EXPECT_EQ(DecideCommand(cmd::kLoopBack, Animated(3, 0)).op, (AnimationOp{AnimationOp::kSetLoop, 0.0f, 2}));
    EXPECT_EQ(DecideCommand(cmd::kLoopBack, Animated(3, 2)).op.loop, 1);
    EXPECT_EQ(DecideCommand(cmd::kLoopNext, Animated(3, 2)).op.loop, 0);
    EXPECT_EQ(DecideCommand(cmd::kLoopNext, Animated(3, 0)).op.loop, 1);
    EXPECT_EQ(DecideCommand(cmd::kLoopNext, Animated(1, 0)).op.loop, 0);
    EXPECT_TRUE(DecideCommand(cmd::kLoopNext, Animated(3, 0)).refreshLoopControls);
    // An animated model without loops has nowhere to go.
    EXPECT_EQ(DecideCommand(cmd::kLoopBack, Animated(0, 0)).op.kind, AnimationOp::kNone);
    EXPECT_EQ(DecideCommand(cmd::kLoopNext, Animated(0, 0)).op.kind, AnimationOp::kNone);
}

TEST(AnimationCommands, StepsMoveWholeFramesOnlyWhilePlaying)
{
    EXPECT_EQ(DecideCommand(cmd::kStepForward, Animated()).op.kind, AnimationOp::kNone);
    EXPECT_EQ(DecideCommand(cmd::kStepBack, Animated()).op.kind, AnimationOp::kNone);
    EXPECT_EQ(DecideCommand(cmd::kStepForward, Playing(12.7f)).op, (AnimationOp{AnimationOp::kSetTime, 13.0f}));
    EXPECT_EQ(DecideCommand(cmd::kStepBack, Playing(12.7f)).op.time, 11.0f);
    AnimationSnapshot paused = Playing(20.0f);
    paused.paused = true;
    EXPECT_EQ(DecideCommand(cmd::kStepForward, paused).op.time, 21.0f);
    // Toward zero, not down.
    EXPECT_EQ(StepOp(Playing(-0.5f), -1.0f).time, -1.0f);
    EXPECT_EQ(StepOp(Playing(-2.5f), 1.0f).time, -1.0f);
}

class RecordingTarget : public AnimationTarget {
public:
    std::vector<AnimationOp> calls;
    void Play(float t) override { calls.push_back({AnimationOp::kPlay, t}); }
    void Stop() override { calls.push_back({AnimationOp::kStop}); }
    void Pause() override { calls.push_back({AnimationOp::kPause}); }
    void SetLoop(int i) override { calls.push_back({AnimationOp::kSetLoop, 0.0f, i}); }
    void SetTime(float t) override { calls.push_back({AnimationOp::kSetTime, t}); }
};

TEST(AnimationCommands, RunningMakesExactlyTheDecidedCall)
{
    RecordingTarget target;
    EXPECT_TRUE(RunCommand(cmd::kPlay, Animated(), target).redraw);
    EXPECT_TRUE(RunCommand(cmd::kStop, Playing(15.0f), target).refreshPanes);
    RunCommand(cmd::kSpeedUp, Animated(), target);   // the document's, not the engine's
    RunCommand(cmd::kStepForward, Animated(), target); // stopped: nothing
    RunCommand(cmd::kPause, Playing(15.0f), target);
    const std::vector<AnimationOp> expected = {{AnimationOp::kPlay, 0.0f}, {AnimationOp::kStop},
                                               {AnimationOp::kPause}};
    EXPECT_EQ(target.calls, expected);
}

TEST(SequenceCombo, ListsTheLoopsOrSaysNoAnimation)
{
    const std::vector<std::string> names = {"Wave", "Bend", "Turn"};
    EXPECT_EQ(SequenceEntries(Animated(3, 1), names), names);
    EXPECT_EQ(SequenceText(Animated(3, 1), names), "Bend");
    const std::vector<std::string> none = {"No Animation"};
    EXPECT_EQ(SequenceEntries(AnimationSnapshot{}, names), none);
    EXPECT_EQ(SequenceText(AnimationSnapshot{}, names), "No Animation");
    EXPECT_EQ(SequenceEntries(Animated(0, 0), {}), none);
    EXPECT_EQ(SequenceText(Animated(3, 7), names), "No Animation");
}

TEST(SequenceCombo, ChoosesTheFirstLoopOfExactlyThatName)
{
    const std::vector<std::string> names = {"Walk", "Run", "walk", "Run"};
    EXPECT_EQ(ChooseSequenceOp(Animated(4), names, "Run"), (AnimationOp{AnimationOp::kSetLoop, 0.0f, 1}));
    EXPECT_EQ(ChooseSequenceOp(Animated(4), names, "walk").loop, 2);
    EXPECT_EQ(ChooseSequenceOp(Animated(4), names, "Walk ").kind, AnimationOp::kNone);
    EXPECT_EQ(ChooseSequenceOp(Animated(4), names, "No Animation").kind, AnimationOp::kNone);
    EXPECT_EQ(ChooseSequenceOp(AnimationSnapshot{}, names, "Run").kind, AnimationOp::kNone);
}

TEST(AnimationKeys, SpaceTogglesAndJumpsNeedPlaying)
{
    EXPECT_EQ(KeyOp(AnimationKey::kPlayPause, Animated()), (AnimationOp{AnimationOp::kPlay, 0.0f}));
    EXPECT_EQ(KeyOp(AnimationKey::kPlayPause, Playing(12.0f)).kind, AnimationOp::kPause);
    AnimationSnapshot paused = Playing(12.0f);
    paused.paused = true;
    EXPECT_EQ(KeyOp(AnimationKey::kPlayPause, paused).kind, AnimationOp::kPlay);
    EXPECT_EQ(KeyOp(AnimationKey::kPlayPause, AnimationSnapshot{}).kind, AnimationOp::kNone);

    EXPECT_EQ(KeyOp(AnimationKey::kStepForward, Playing(12.5f)).time, 13.0f);
    EXPECT_EQ(KeyOp(AnimationKey::kStepBack, Animated()).kind, AnimationOp::kNone);
    EXPECT_EQ(KeyOp(AnimationKey::kFirstFrame, paused), (AnimationOp{AnimationOp::kSetTime, 10.0f}));
    EXPECT_EQ(KeyOp(AnimationKey::kLastFrame, paused).time, 40.0f);
    EXPECT_EQ(KeyOp(AnimationKey::kLastFrame, Animated()).kind, AnimationOp::kNone);
}

} // namespace
