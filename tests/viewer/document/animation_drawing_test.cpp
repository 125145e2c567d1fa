// Drawing shows the model at its current animation time and never moves it; only the
// separate step does, by the wall time elapsed times the speed.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "animation_step.h"
#include "headless_gl.h"
#include "nimbus/camera.h"
#include "nimbus/model.h"
#include "nimbus/scene_draw.h"
#include "nimbus/timer.h"
#include "sample_files.h"
#include "scene_drawing.h"
#include "temp_dir.h"
#include "view_camera.h"

namespace {

using kestrel::test::HeadlessGl;

constexpr int kPictureSize = 96;
constexpr double kQuarterSecond = 0.25;
constexpr float kArmFps = 24.0f;
constexpr float kWaveStart = 1.0f;
constexpr float kFrameTolerance = 1e-3f;

// The arm sample playing its first loop (Wave, frames 1 to 30) on a clock only the test moves.
class AnimationDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        gl_ = HeadlessGl::Acquire(kPictureSize, kPictureSize, &why);
        ASSERT_NE(gl_, nullptr) << why;
        gl_->Resize(kPictureSize, kPictureSize);
        ASSERT_TRUE(kestrel::samples::WriteAnimatedArm(dir_.Path().string()));
        ASSERT_TRUE(model_.ImportMs3dFile(dir_.File("arm.ms3d").c_str()));
        ASSERT_TRUE(model_.LoadAnimationSplitter(dir_.File("arm.afs").c_str()));
        ASSERT_TRUE(model_.Finalize(true, true, 1.0f));
        stats_ = model_.GetModelStats();
        CTimer::SetManualClock(true);
        model_.AniSetLoop(0, true);
        model_.AniPlay(0);
        ASSERT_TRUE(model_.AniIsPlaying());
    }

    void TearDown() override { CTimer::SetManualClock(false); }

    std::vector<uint8_t> Draw()
    {
        gl_->MakeCurrent();
        kestrel::prefs::StateBlock state;
        kestrel::scene::InitViewGlState();
        kestrel::scene::ApplyBackFaceOption(state);
        skfReshapeViewport(kPictureSize, kPictureSize, false, 45.0f);
        const kestrel::prefs::SettingsBlock settings;
        kestrel::scene::SetClearColour(1, settings);
        CCamera camera;
        kestrel::scene::CameraState cameraState;
        kestrel::scene::SetModelCamera(camera, cameraState);
        kestrel::scene::DrawModelScene(model_, camera, stats_, state, settings, kestrel::scene::SceneFrame{});
        glFinish();
        return gl_->ReadPixels();
    }

    HeadlessGl* gl_ = nullptr;
    kestrel::test::TempDir dir_;
    CModel model_;
    SK_MODEL_STATS stats_{};
};

TEST_F(AnimationDrawing, DrawingHoldsTimeAndThePicture)
{
    ASSERT_FLOAT_EQ(model_.AniGetCurrentTime(), kWaveStart);
    const std::vector<uint8_t> first = Draw();
    CTimer::AdvanceManualClock(kQuarterSecond);
    const std::vector<uint8_t> second = Draw();
    EXPECT_FLOAT_EQ(model_.AniGetCurrentTime(), kWaveStart) << "drawing moved the animation";
    EXPECT_EQ(first, second);
}

TEST_F(AnimationDrawing, AdvancingMovesTimeByElapsedTimesSpeed)
{
    const std::vector<uint8_t> rest = Draw();
    CTimer::AdvanceManualClock(kQuarterSecond);
    kestrel::scene::AdvanceAnimation(model_, 1.0f);
    const float afterOne = kWaveStart + float(kQuarterSecond) * kArmFps;
    EXPECT_NEAR(model_.AniGetCurrentTime(), afterOne, kFrameTolerance);
    EXPECT_NE(Draw(), rest) << "the advanced pose looks like the rest pose";
    EXPECT_NEAR(model_.AniGetCurrentTime(), afterOne, kFrameTolerance);

    // A step at speed 0 consumes the elapsed time, so it does not pile up for the next step.
    CTimer::AdvanceManualClock(kQuarterSecond);
    kestrel::scene::AdvanceAnimation(model_, 0.0f);
    EXPECT_NEAR(model_.AniGetCurrentTime(), afterOne, kFrameTolerance);
    CTimer::AdvanceManualClock(kQuarterSecond);
    kestrel::scene::AdvanceAnimation(model_, 2.0f);
    EXPECT_NEAR(model_.AniGetCurrentTime(), afterOne + 2.0f * float(kQuarterSecond) * kArmFps, kFrameTolerance);
}

} // namespace
