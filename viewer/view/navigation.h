#pragma once
#include "view_camera.h"

// Moving the 3D camera from the mouse and the keyboard. Every step updates the document's
// camera values and pushes them into the camera.
namespace kestrel::view {

constexpr float kMousePanFactor = 1.0f / 45.0f;    // scene units per pixel
constexpr float kMouseOrbitFactor = 0.2f;          // degrees per pixel
constexpr float kRightDragZoomFactor = 0.04f;      // zoom per pixel
constexpr float kWheelZoomFactor = 0.0025f;        // zoom per wheel unit (120 a notch)
constexpr float kKeyPanStep = 0.01f;               // per key repeat
constexpr float kKeyZoomStep = 0.15f;

// Into [0, 360).
float WrapDegrees(float degrees);

// The camera preset of a command (Front, Back, Top, Bottom, Left, Right); false for others.
bool CameraPresetRotation(int commandId, CVector3d& rotation);

// dx and dy are the last position minus the current one, in pixels.
void MouseOrbit(CCamera& camera, scene::CameraState& state, float dx, float dy);
void MousePan(CCamera& camera, scene::CameraState& state, float dx, float dy);
// dy is the last right-button y minus the current one.
void MouseZoom(CCamera& camera, scene::CameraState& state, float dy);
void WheelZoom(CCamera& camera, scene::CameraState& state, float wheelDelta);

// Keyboard steps: degrees, scene units and zoom units.
void RotateBy(CCamera& camera, scene::CameraState& state, float pitch, float yaw);
void PanBy(CCamera& camera, scene::CameraState& state, float x, float y);
void ZoomBy(CCamera& camera, scene::CameraState& state, float delta);

} // namespace kestrel::view
