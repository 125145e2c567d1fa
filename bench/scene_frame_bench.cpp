// One displayed frame at 800 x 600, off screen, as the view makes it. The arm sample: the
// animation step, then the scene drawn at that time, held still and playing, so that the cost
// of a playing animation over a static scene of the same model can be read off. A terrain of
// about 1,000,000 triangles over shared grid points: the first frame (the drawing arrays
// built) and the frames after it, as while orbiting.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <memory>

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

// The off-screen context at 800 x 600, current; null (and the benchmark skipped) without one.
kestrel::offscreen::HeadlessGl* CurrentContext(benchmark::State& state)
{
    std::string why;
    kestrel::offscreen::HeadlessGl* gl = kestrel::test::HeadlessGl::Acquire(kWidth, kHeight, &why);
    if (!gl) {
        state.SkipWithError(why.c_str());
        return nullptr;
    }
    gl->Resize(kWidth, kHeight);
    gl->MakeCurrent();
    return gl;
}

// The view's state for a model: its defaults (solid, box corners, grid, axes) and camera.
void PrepareModelView(const kestrel::prefs::StateBlock& display, const kestrel::prefs::SettingsBlock& settings,
                      CCamera& camera)
{
    kestrel::scene::InitViewGlState();
    kestrel::scene::ApplyBackFaceOption(display);
    skfReshapeViewport(kWidth, kHeight, false, kFieldOfView);
    kestrel::scene::SetClearColour(1, settings);
    kestrel::scene::CameraState cameraState;
    kestrel::scene::SetModelCamera(camera, cameraState);
}

void BM_ArmFrame(benchmark::State& state)
{
    const bool playing = state.range(0) == 1;
    if (!CurrentContext(state))
        return;
    kestrel::test::TempDir dir;
    CModel model;
    if (!LoadArm(model, dir)) {
        state.SkipWithError("the arm sample did not load");
        return;
    }
    const SK_MODEL_STATS stats = model.GetModelStats();
    const kestrel::prefs::StateBlock display;
    const kestrel::prefs::SettingsBlock settings;
    CCamera camera;
    PrepareModelView(display, settings, camera);

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

// Rolling hills on a grid of side x side points, two triangles per cell, smooth normals.
void BuildTerrain(CModel& model, int side)
{
    CMesh mesh;
    mesh.SetName("terrain");
    const auto height = [](float x, float z) { return 0.08f * std::sin(x * 9.0f) * std::cos(z * 7.0f); };
    mesh.mVertices.resize(size_t(side) * size_t(side));
    mesh.mNormals.resize(mesh.mVertices.size());
    for (int z = 0; z < side; ++z)
        for (int x = 0; x < side; ++x) {
            const size_t i = size_t(z) * size_t(side) + size_t(x);
            const float fx = float(x) / float(side - 1), fz = float(z) / float(side - 1);
            CVertex& v = mesh.mVertices[i];
            v.mPos[0] = v.mLoadedPos[0] = fx;
            v.mPos[1] = v.mLoadedPos[1] = height(fx, fz);
            v.mPos[2] = v.mLoadedPos[2] = fz;
            const float dx = (height(fx + 1e-3f, fz) - height(fx - 1e-3f, fz)) / 2e-3f;
            const float dz = (height(fx, fz + 1e-3f) - height(fx, fz - 1e-3f)) / 2e-3f;
            const float length = std::sqrt(dx * dx + 1.0f + dz * dz);
            CNormal& n = mesh.mNormals[i];
            n.mDir[0] = n.mLoadedDir[0] = -dx / length;
            n.mDir[1] = n.mLoadedDir[1] = 1.0f / length;
            n.mDir[2] = n.mLoadedDir[2] = -dz / length;
        }
    mesh.mTriangles.reserve(size_t(side - 1) * size_t(side - 1) * 2);
    for (int z = 0; z + 1 < side; ++z)
        for (int x = 0; x + 1 < side; ++x) {
            const int32_t a = z * side + x, b = a + 1, c = a + side, d = c + 1;
            for (const std::array<int32_t, 3>& corners : {std::array<int32_t, 3>{a, c, b}, std::array<int32_t, 3>{b, c, d}}) {
                CTriangle t;
                for (int k = 0; k < 3; ++k) {
                    t.mVertices[k] = t.mNormals[k] = corners[k];
                    t.mEdgeFlags[k] = 1;
                }
                mesh.mTriangles.push_back(t);
            }
        }
    mesh.BuildMaterialBatches();
    model.mMeshes.push_back(std::move(mesh));
}

void BM_TerrainFrame(benchmark::State& state)
{
    const bool first = state.range(0) == 1;
    constexpr int kSide = 708; // 2 x 707 x 707 = 999,698 triangles
    if (!CurrentContext(state))
        return;
    const kestrel::prefs::StateBlock display;
    const kestrel::prefs::SettingsBlock settings;
    CCamera camera;
    PrepareModelView(display, settings, camera);

    CModel model;
    BuildTerrain(model, kSide);
    if (!model.Finalize(true, true, 1.0f)) {
        state.SkipWithError("the terrain did not finalize");
        return;
    }
    const SK_MODEL_STATS stats = model.GetModelStats();
    for (auto _ : state) {
        if (first) {
            // A copy has no drawing arrays yet; making and freeing it is not counted.
            state.PauseTiming();
            auto copy = std::make_unique<CModel>(model);
            state.ResumeTiming();
            kestrel::scene::DrawModelScene(*copy, camera, stats, display, settings, kestrel::scene::SceneFrame{});
            glFinish();
            state.PauseTiming();
            copy.reset();
            state.ResumeTiming();
        } else {
            kestrel::scene::DrawModelScene(model, camera, stats, display, settings, kestrel::scene::SceneFrame{});
            glFinish();
        }
    }
}
BENCHMARK(BM_TerrainFrame)->Arg(1)->Arg(0)->ArgName("first")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
