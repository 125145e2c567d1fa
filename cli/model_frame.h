#pragma once
#include "document.h"
#include "preference_blocks.h"

namespace kestrel::cli {

// Where the off-screen camera looks from: the view's starting angle, or a rotation given.
struct CameraChoice {
    bool rotationGiven = false;
    float pitch = 0, yaw = 0;
};

// One frame of the model's 3D scene at its current animation time, as the viewer's view
// draws it, into the current width x height framebuffer. Shared by pictures and videos.
void DrawModelFrame(doc::Document& document, int width, int height, const prefs::StateBlock& display,
                    const prefs::SettingsBlock& settings, const CameraChoice& camera);

} // namespace kestrel::cli
