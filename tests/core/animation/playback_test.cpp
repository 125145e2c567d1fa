#include <gtest/gtest.h>

#include "animated_fixture.h"

using namespace kestrel::test;

namespace {

class Playback : public ManualClockTest {
protected:
    void SetUp() override
    {
        ManualClockTest::SetUp();
        BuildArmModel(model);
        model.mSequences.resize(3);
        model.mSequences[1].SetName("wave");
        model.mSequences[1].mStart = 20;
        model.mSequences[1].mEnd = 30;
        model.mSequences[1].mPriority = 1;
        model.mSequences[2].SetName("idle");
        model.mSequences[2].mStart = 40;
        model.mSequences[2].mEnd = 50;
        model.mSequences[2].mPriority = 0;
        ASSERT_TRUE(model.Finalize(false, false, 1.0f));
    }
    void Step(float frames, float speed = 1.0f)
    {
        AdvanceFrames(model, frames);
        model.AniProgress(speed);
    }
    TestModel model;
};

TEST_F(Playback, PlayStartsAtTheSequenceStartAndSpeedScalesTime)
{
    model.AniPlay(0);
    EXPECT_TRUE(model.AniIsPlaying());
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 1.0f);
    Step(2);
    EXPECT_NEAR(model.AniGetCurrentTime(), 3.0f, 1e-4);
    Step(2, 2.0f);
    EXPECT_NEAR(model.AniGetCurrentTime(), 7.0f, 1e-4);
}

TEST_F(Playback, ZeroSpeedPosesNothing)
{
    model.AniPlay(0);
    Step(2);
    const CMatrix before = model.mJoints[1].mAbsolute;
    model.mJoints[1].mAbsolute.LoadIdentity();
    Step(2, 0.0f);
    EXPECT_EQ(model.mJoints[1].mAbsolute, CMatrix());
    EXPECT_NE(before, CMatrix());
}

TEST_F(Playback, EndWrapsToTheStartWithoutOvershoot)
{
    model.AniPlay(0);
    Step(8);
    EXPECT_NEAR(model.AniGetCurrentTime(), 9.0f, 1e-4);
    Step(3.5f);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 1.0f);
}

TEST_F(Playback, PlayAtAGivenFrameOutsideTheSequenceWrapsOnTheNextStep)
{
    model.AniPlay(15);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 15.0f);
    Step(1);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 1.0f);
}

TEST_F(Playback, QueuedSequenceWithoutPriorityIsTakenAtOnce)
{
    model.AniPlay(0);
    model.AniSetLoop(1, false);
    EXPECT_EQ(model.AniGetCurrentLoop(), 0);
    Step(1);
    EXPECT_EQ(model.AniGetCurrentLoop(), 1);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 20.0f);
}

TEST_F(Playback, WithPriorityALowerSequenceWaitsForTheEnd)
{
    model.AniEnablePriority(true);
    model.AniSetLoop(1, true);
    model.AniPlay(0);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 20.0f);
    model.AniSetLoop(2, false); // priority 0 under 1
    Step(5);
    EXPECT_EQ(model.AniGetCurrentLoop(), 1);
    Step(6);
    EXPECT_EQ(model.AniGetCurrentLoop(), 2);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 40.0f);
    // A higher priority is taken at once.
    model.AniSetLoop(1, false);
    Step(1);
    EXPECT_EQ(model.AniGetCurrentLoop(), 1);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 20.0f);
}

TEST_F(Playback, EqualPriorityAlsoWaits)
{
    model.AniEnablePriority(true);
    model.mSequences[2].mPriority = 0;
    model.mSequences[0].mPriority = 0;
    model.AniPlay(0);
    model.AniSetLoop(2, false);
    Step(1);
    EXPECT_EQ(model.AniGetCurrentLoop(), 0);
}

TEST_F(Playback, PauseHoldsTimeAndStopRestoresThePose)
{
    model.AniPlay(0);
    Step(2);
    model.AniPause();
    EXPECT_TRUE(model.AniIsPaused());
    Step(2);
    EXPECT_NEAR(model.AniGetCurrentTime(), 3.0f, 1e-4);
    model.AniPlay(0); // resumes without a jump
    EXPECT_FALSE(model.AniIsPaused());
    Step(1);
    EXPECT_NEAR(model.AniGetCurrentTime(), 4.0f, 1e-4);

    model.AniStop();
    EXPECT_FALSE(model.AniIsPlaying());
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 1.0f);
    EXPECT_NEAR(model.mJoints[1].mAbsolute.m[0], 1.0f, 1e-6);
}

TEST_F(Playback, SetTimeOnlyInsideTheSequenceWhilePlaying)
{
    model.AniSetTime(5);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 0.0f);
    model.AniPlay(0);
    model.AniPause();
    model.AniSetTime(5);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 5.0f);
    EXPECT_TRUE(model.AniIsPaused());
    model.AniSetTime(11);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 5.0f);
}

// Seeking while paused must show the chosen frame although no clock time passes.
TEST_F(Playback, SetTimePosesTheJointsAtOnce)
{
    TestModel reference;
    BuildArmModel(reference);
    ASSERT_TRUE(reference.Finalize(false, false, 1.0f));
    reference.AniPlay(0);
    AdvanceFrames(reference, 4);
    reference.AniProgress(1.0f);
    ASSERT_NEAR(reference.AniGetCurrentTime(), 5.0f, 1e-4);

    model.AniPlay(0);
    model.AniPause();
    model.mJoints[1].mAbsolute.LoadIdentity();
    model.AniSetTime(5);
    EXPECT_TRUE(model.AniIsPaused());
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(model.mJoints[1].mAbsolute.m[i], reference.mJoints[1].mAbsolute.m[i], 1e-4) << i;
}

TEST_F(Playback, NotAnimatedModelsAndBadIndicesAreIgnored)
{
    model.AniSetLoop(3, true);
    EXPECT_EQ(model.AniGetCurrentLoop(), 0);
    model.mAnimated = false;
    model.AniPlay(0);
    EXPECT_FALSE(model.AniIsPlaying());
}

TEST_F(Playback, AnimatedModelWithoutSequencesPlaysTheWholeTimeline)
{
    model.mSequences.clear();
    model.AniPlay(0);
    Step(12);
    EXPECT_FLOAT_EQ(model.AniGetCurrentTime(), 0.0f);
    model.AniStop();
    EXPECT_FALSE(model.AniIsPlaying());
}

} // namespace
