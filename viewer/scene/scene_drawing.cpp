#include "scene_drawing.h"

#include <GL/gl.h>

#include "nimbus/camera.h"
#include "nimbus/model.h"
#include "nimbus/scene_draw.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

namespace kestrel::scene {
namespace {

const unsigned char kWhite[3] = {255, 255, 255};
const unsigned char kRed[3] = {255, 0, 0};

void DrawMesh(CModel& model, const prefs::StateBlock& state, const prefs::SettingsBlock& s)
{
    switch (state.meshMode) {
    case 1: model.Render(1, s.ColourOf(prefs::kBoundingBoxes)); break;
    case 2:
    case 3: break; // these modes draw no mesh
    case 4: model.Render(4, s.ColourOf(prefs::kVertices)); break;
    case 6: model.Render(6, s.ColourOf(prefs::kWireframe)); break;
    case 5:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11: model.Render(state.meshMode, kWhite); break;
    case prefs::kSolidMeshMode: model.Render(); break;
    default: model.Render(0, kWhite); break;
    }
}

void DrawSkeleton(CModel& model, const prefs::StateBlock& state, const prefs::SettingsBlock& s)
{
    using namespace prefs;
    switch (SkeletonModeFor(model, state.skeletonMode)) {
    case 1:
        model.RenderSkeleton(1, s.ColourOf(kJoints1), s.ColourOf(kBones1), s.ColourOf(kRoot1), s.jointSize1);
        break;
    case 2:
        model.RenderSkeleton(2, s.ColourOf(kJoints2), s.ColourOf(kBones2), s.ColourOf(kRoot2), s.jointSize2);
        break;
    case 3: model.RenderSkeleton(3, kRed, s.ColourOf(kBones3), s.ColourOf(kRoot3), 2.0f); break;
    case 4: model.RenderSkeleton(4, kRed, s.ColourOf(kBones4), kRed, 2.0f); break;
    default: break;
    }
}

void DrawGrid(const prefs::StateBlock& state, const prefs::SettingsBlock& s, float height)
{
    using namespace prefs;
    switch (state.gridMode) {
    case 1: skfRenderGrid(1, s.ColourOf(kGridWireframe), nullptr, height, 10, 0.5f); break;
    case 2: skfRenderGrid(2, s.ColourOf(kGridSolidDark), s.ColourOf(kGridSolidLight), height, 10, 0.5f); break;
    case 3:
        skfRenderGrid(3, s.ColourOf(kGridTransparentDark), s.ColourOf(kGridTransparentLight), height, 10, 0.5f);
        break;
    default: break;
    }
}

void DrawSceneBox(CModel& model, const prefs::StateBlock& state, const prefs::SettingsBlock& s)
{
    using namespace prefs;
    switch (state.boundingBoxMode) {
    case 1: model.RenderBBox(1, s.ColourOf(kBoxCorners)); break;
    case 2: model.RenderBBox(2, s.ColourOf(kBoxWireframe)); break;
    case 3: model.RenderBBox(3, s.ColourOf(kBoxTransparent)); break;
    default: break;
    }
}

} // namespace

int SkeletonModeFor(const CModel& model, int storedMode)
{
    if (storedMode == kSkeletonOff && model.mMeshes.empty() && !model.mJoints.empty())
        return kSkeletonOfJointOnlyModel;
    return storedMode;
}

void InitViewGlState()
{
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void SetClearColour(int viewMode, const prefs::SettingsBlock& settings)
{
    const unsigned char* c = viewMode == 1   ? settings.ColourOf(prefs::kBackground3D)
                             : viewMode == 2 ? settings.ColourOf(prefs::kBackground2D)
                                             : kWhite;
    glClearColor(c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f, 0.0f);
    if (viewMode == 1)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
}

void ApplyBackFaceOption(const prefs::StateBlock& state)
{
    if (state.backFacesShown)
        glDisable(GL_CULL_FACE);
    else
        glEnable(GL_CULL_FACE);
}

void DrawModelScene(CModel& model, CCamera& camera, const SK_MODEL_STATS& stats, const prefs::StateBlock& state,
                    const prefs::SettingsBlock& settings, const SceneFrame& frame)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (frame.multisampleAvailable && settings.antialiasing)
        glEnable(GL_MULTISAMPLE);
    else
        glDisable(GL_MULTISAMPLE);
    camera.Activate();

    // The floor sits under the model: its lowest corner, centred and scaled like the model.
    CVector3d floor = stats.boundsMin - stats.center;
    floor *= stats.scale;
    const float origin[3] = {floor.x, floor.y, floor.z};
    if (state.axesShown)
        skfRenderAxes(origin, settings.ColourOf(prefs::kAxisX), settings.ColourOf(prefs::kAxisY),
                      settings.ColourOf(prefs::kAxisZ));
    DrawMesh(model, state, settings);
    if (state.normalsShown)
        model.RenderNormals(settings.ColourOf(prefs::kNormalBase), settings.ColourOf(prefs::kNormalLine),
                            settings.normalBaseSize, settings.vectorLineLength);
    DrawSkeleton(model, state, settings);
    DrawGrid(state, settings, floor.y);
    DrawSceneBox(model, state, settings);
    if (state.gridMode == 3)
        DrawGrid(state, settings, floor.y);
}

} // namespace kestrel::scene
