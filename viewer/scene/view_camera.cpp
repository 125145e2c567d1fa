#include "view_camera.h"

namespace kestrel::scene {

void ApplyCamera(CCamera& camera, CameraState& state)
{
    state.zoom = camera.SetZoom(state.zoom);
    camera.SetRotation(state.rotation);
    camera.SetPan(state.pan.x, state.pan.y);
}

void SetCameraPreset(CCamera& camera, CameraState& state, const CVector3d& rotation)
{
    camera.Reset();
    state.rotation = rotation;
    state.pan = CVector3d();
    state.zoom = 0.0f;
    camera.SetPosition(0.0f, 0.0f, 3.5f);
    ApplyCamera(camera, state);
}

void SetModelCamera(CCamera& camera, CameraState& state)
{
    SetCameraPreset(camera, state, CVector3d(-12.0f, -45.0f, 0.0f));
}

void SetImageCamera(CCamera& camera, CameraState& state)
{
    camera.Reset();
    camera.SetPosition(0.0f, 0.0f, 2.7f);
    state.rotation = CVector3d();
    state.pan = CVector3d();
    state.zoom = 1.0f;
}

} // namespace kestrel::scene
