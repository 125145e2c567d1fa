#include <gtest/gtest.h>

#include "animation_commands.h"
#include "command_ids.h"
#include "model_animation.h"
#include "nimbus/model.h"
#include "sample_files.h"
#include "seek_bar.h"
#include "sequence_combo.h"
#include "temp_dir.h"

namespace {

using namespace kestrel;
using namespace kestrel::anim;

// The arm sample: loops Wave 1-30, Bend 31-60, Turn 61-90.
class ArmModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(samples::WriteAnimatedArm(dir_.Path().string()));
        ASSERT_TRUE(model_.ImportMs3dFile(dir_.File("arm.ms3d").c_str()));
        ASSERT_TRUE(model_.LoadAnimationSplitter(dir_.File("arm.afs").c_str()));
        ASSERT_TRUE(model_.Finalize(true, true, 1.0f));
    }
    AnimationSnapshot Read() const { return ReadAnimationSnapshot(model_, model_.GetModelStats().animated); }

    test::TempDir dir_;
    CModel model_;
};

TEST_F(ArmModel, SnapshotAndCommandsGoThroughTheEngine)
{
    ModelTarget target(model_);
    const std::vector<std::string> names = ReadLoopNames(model_);
    EXPECT_EQ(names, (std::vector<std::string>{"Wave", "Bend", "Turn"}));

    AnimationSnapshot s = Read();
    ASSERT_TRUE(s.hasAnimation);
    EXPECT_EQ(s.loopCount, 3);
    EXPECT_FALSE(s.playing);

    RunCommand(cmd::kLoopBack, s, target);
    s = Read();
    EXPECT_EQ(s.currentLoop, 2);
    EXPECT_EQ(s.loopStart, 61.0f);
    EXPECT_EQ(s.loopEnd, 90.0f);
    EXPECT_EQ(SequenceText(s, names), "Turn");

    Apply(ChooseSequenceOp(s, names, "Bend"), target);
    RunCommand(cmd::kPlay, Read(), target);
    s = Read();
    EXPECT_EQ(s.currentLoop, 1);
    EXPECT_TRUE(s.playing);
    EXPECT_GE(s.currentTime, 31.0f);

    SeekHold hold;
    Apply(hold.Press(s), target);
    EXPECT_TRUE(Read().paused);
    Apply(SeekOp(Read(), ClampSeekPosition(12, SeekBarRange(Read()))), target);
    EXPECT_EQ(Read().currentTime, 43.0f);
    Apply(hold.Release(Read()), target);
    EXPECT_FALSE(Read().paused);

    RunCommand(cmd::kStop, Read(), target);
    s = Read();
    EXPECT_FALSE(s.playing);
    EXPECT_EQ(s.currentTime, 31.0f);
}

TEST(ModelAnimation, AnEmptyModelHasNoAnimation)
{
    CModel model;
    const AnimationSnapshot s = ReadAnimationSnapshot(model, model.GetModelStats().animated);
    EXPECT_FALSE(s.hasAnimation);
    EXPECT_TRUE(ReadLoopNames(model).empty());
    EXPECT_EQ(s.loopStart, 0.0f);
}

} // namespace
