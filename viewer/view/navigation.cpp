#include "navigation.h"

#include <cmath>

#include "command_ids.h"

namespace kestrel::view {

float WrapDegrees(float degrees)
{
    if (!std::isfinite(degrees))
        return 0.0f;
    float d = std::fmod(degrees, 360.0f);
    if (d < 0.0f)
        d += 360.0f;
    return d >= 360.0f ? 0.0f : d; // a tiny negative value rounds up to 360
}

bool CameraPresetRotation(int commandId, CVector3d& rotation)
{
    switch (commandId) {
    case cmd::kCameraFront: rotation = CVector3d(0, 0, 0); return true;
    case cmd::kCameraBack: rotation = CVector3d(0, 180, 0); return true;
    case cmd::kCameraTop: rotation = CVector3d(-90, 0, 0); return true;
    case cmd::kCameraBottom: rotation = CVector3d(90, 0, 0); return true;
    case cmd::kCameraLeft: rotation = CVector3d(0, 90, 0); return true;
    case cmd::kCameraRight: rotation = CVector3d(0, -90, 0); return true;
    default: return false;
    }
}

void RotateBy(CCamera& camera, scene::CameraState& state, float pitch, float yaw)
{
    state.rotation.x = WrapDegrees(state.rotation.x + pitch);
    state.rotation.y = WrapDegrees(state.rotation.y + yaw);
    camera.SetRotation(state.rotation.x, state.rotation.y, 0.0f);
}

void PanBy(CCamera& camera, scene::CameraState& state, float x, float y)
{
    state.pan.x += x;
    state.pan.y += y;
    camera.SetPan(state.pan.x, state.pan.y);
}

void ZoomBy(CCamera& camera, scene::CameraState& state, float delta)
{
    state.zoom = camera.SetZoom(state.zoom + delta);
}

void MouseOrbit(CCamera& camera, scene::CameraState& state, float dx, float dy)
{
    RotateBy(camera, state, dy * kMouseOrbitFactor, dx * kMouseOrbitFactor);
}

void MousePan(CCamera& camera, scene::CameraState& state, float dx, float dy)
{
    PanBy(camera, state, dx * kMousePanFactor, -dy * kMousePanFactor);
}

void MouseZoom(CCamera& camera, scene::CameraState& state, float dy)
{
    ZoomBy(camera, state, -dy * kRightDragZoomFactor);
}

void WheelZoom(CCamera& camera, scene::CameraState& state, float wheelDelta)
{
    ZoomBy(camera, state, -wheelDelta * kWheelZoomFactor);
}

} // namespace kestrel::view
