#include "model_frame.h"

#include "nimbus/camera.h"
#include "nimbus/scene_draw.h"
#include "scene_drawing.h"
#include "view_camera.h"

namespace kestrel::cli {
namespace {
constexpr float kFieldOfView = 45.0f;
}

void DrawModelFrame(doc::Document& d, int width, int height, const prefs::StateBlock& display,
                    const prefs::SettingsBlock& settings, const CameraChoice& choice)
{
    scene::InitViewGlState();
    scene::ApplyBackFaceOption(display);
    skfReshapeViewport(width, height, false, kFieldOfView);
    scene::SetClearColour(doc::kModel, settings);
    CCamera camera;
    scene::CameraState state;
    scene::SetModelCamera(camera, state);
    if (choice.rotationGiven) {
        state.rotation = CVector3d(choice.pitch, choice.yaw, 0.0f);
        scene::ApplyCamera(camera, state);
    }
    scene::DrawModelScene(d.model, camera, d.stats, display, settings, scene::SceneFrame{});
}

} // namespace kestrel::cli
