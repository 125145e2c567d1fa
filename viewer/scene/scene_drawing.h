#pragma once
#include "nimbus/model_stats.h"
#include "preference_blocks.h"

class CCamera;
class CModel;

// Drawing the 3D scene of view mode 1, shared by the viewer's window and off-screen pictures.
namespace kestrel::scene {

constexpr int kSkeletonOff = 0;
constexpr int kSkeletonOfJointOnlyModel = 4;

// The skeleton style drawn: a model of joints alone would show an empty grid with the
// skeleton off, so it shows its skeleton as its thumbnail does. The stored option stays.
int SkeletonModeFor(const CModel& model, int storedMode);

// The GL state a 3D view starts with (depth, shading, light 0, blending, byte-aligned rows).
void InitViewGlState();

// Clear colour of a view mode: 3D background in mode 1, 2D background in mode 2, white in mode 0.
void SetClearColour(int viewMode, const prefs::SettingsBlock& settings);

// Back faces shown means no culling.
void ApplyBackFaceOption(const prefs::StateBlock& state);

struct SceneFrame {
    bool multisampleAvailable = false;
};

// One frame of the 3D scene at the model's current animation time, which it leaves as it is,
// in the order the view draws it: clear, camera, axes, mesh, normals, skeleton, grid, scene
// box and, for a transparent grid, the grid again.
void DrawModelScene(CModel& model, CCamera& camera, const SK_MODEL_STATS& stats, const prefs::StateBlock& state,
                    const prefs::SettingsBlock& settings, const SceneFrame& frame);

} // namespace kestrel::scene
