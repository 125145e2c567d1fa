// One displayed frame of the arm sample at 800 x 600, off screen, as the view makes it: the
// animation step, then the scene drawn at that time. Held still and playing, so that the cost
// of a playing animation over a static scene of the same model can be read off.
#include <benchmark/benchmark.h>

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

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kDisplayInterval = 1.0 / 60;
constexpr float kFieldOfView = 45.0f;

bool LoadArm(CModel& model, const kestrel::test::TempDir& dir)
{
    return kestrel::samples::WriteAnimatedArm(dir.Path().string()) &&
           model.ImportMs3dFile(dir.File("arm.ms3d").c_str()) && model.LoadAnimationSplitter(dir.File("arm.afs").c_str()) && model.Finalize(true, true, 1.0f);
}

void BM_ArmFrame(benchmark::State& state)
{
    const bool playing = state.range(0) == 1;
    std::string why;
    kestrel::offscreen::HeadlessGl* gl = kestrel::test::HeadlessGl::Acquire(kWidth, kHeight, &why);
    if (!gl) {
        state.SkipWithError(why.c_str());
        return;
    }
    gl->Resize(kWidth, kHeight);
    gl->MakeCurrent();
    kestrel::test::TempDir dir;
    CModel model;
    if (!LoadArm(model, dir)) {
        state.SkipWithError("the arm sample did not load");
        return;
    }
    const SK_MODEL_STATS stats = model.GetModelStats();
    const kestrel::prefs::StateBlock display; // the view's defaults: solid, box corners, grid, axes
    const kestrel::prefs::SettingsBlock settings;
    kestrel::scene::InitViewGlState();
    kestrel::scene::ApplyBackFaceOption(display);
    skfReshapeViewport(kWidth, kHeight, false, kFieldOfView);
    kestrel::scene::SetClearColour(1, settings);
    CCamera camera;
    kestrel::scene::CameraState cameraState;
    kestrel::scene::SetModelCamera(camera, cameraState);

    // A clock moved by a display interval per frame keeps the poses the same from run to run.
    CTimer::SetManualClock(true);
    if (playing) {
        model.AniSetLoop(0, true);
        model.AniPlay(0);
    }
    for (auto _ : state) {
        CTimer::AdvanceManualClock(kDisplayInterval);
        kestrel::scene::AdvanceAnimation(model, 1.0f);
        kestrel::scene::DrawModelScene(model, camera, stats, display, settings, kestrel::scene::SceneFrame{});
        glFinish();
    }
    CTimer::SetManualClock(false);
    if (playing && !model.AniIsPlaying())
        state.SkipWithError("the animation stopped playing");
}
BENCHMARK(BM_ArmFrame)->Arg(0)->Arg(1)->ArgName("playing")->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
