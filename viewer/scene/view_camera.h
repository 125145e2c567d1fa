#pragma once
#include "nimbus/camera.h"
#include "nimbus/vector3d.h"

// The document's camera values and how each view mode sets them up.
namespace kestrel::scene {

struct CameraState {
    CVector3d rotation; // pitch, yaw, roll in degrees
    CVector3d pan;
    float zoom = 0.0f;
};

// View mode 1: position (0, 0, 3.5), rotation (-12, -45, 0), no pan, zoom 0.
void SetModelCamera(CCamera& camera, CameraState& state);
// A camera preset of the 3D view: the same, with the given rotation.
void SetCameraPreset(CCamera& camera, CameraState& state, const CVector3d& rotation);
// View mode 2: position (0, 0, 2.7), no rotation or pan, zoom 1.
void SetImageCamera(CCamera& camera, CameraState& state);
// Pushes zoom, rotation and pan into the camera.
void ApplyCamera(CCamera& camera, CameraState& state);

} // namespace kestrel::scene
