#pragma once
#include "picture.h"

class CModel;

// The model's picture behind a thumbnail: a grey gradient and the model seen from the
// view's starting angle, drawn into whatever OpenGL context and framebuffer are current.
namespace kestrel::thumbnail {

// Draws into the current framebuffer, which is width x height; leaves the projection as
// the 45-degree perspective it set.
void DrawModelPicture(CModel& model, int width, int height);

// The current framebuffer's width x height pixels, top row first, alpha dropped.
Picture ReadFramebuffer(int width, int height);

} // namespace kestrel::thumbnail
