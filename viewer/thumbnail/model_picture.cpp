#include "model_picture.h"

#include <GL/gl.h>

#include "nimbus/camera.h"
#include "nimbus/model.h"
#include "nimbus/scene_draw.h"
#include "preference_blocks.h"
#include "scene_drawing.h"

namespace kestrel::thumbnail {
namespace {

constexpr float kFieldOfView = 45.0f;
constexpr float kEyeDistance = 2.75f;
constexpr float kPitch = -12.0f, kYaw = -45.0f;
constexpr float kGradientTop = 64 / 255.0f;
constexpr float kGradientBottom = 224 / 255.0f;
constexpr int kSkeletonStyle = 4;
constexpr float kSkeletonSize = 2.0f;
const unsigned char kRed[3] = {255, 0, 0};

void DrawBackdrop()
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glBegin(GL_QUADS);
    glColor3f(kGradientTop, kGradientTop, kGradientTop);
    glVertex2f(-1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glColor3f(kGradientBottom, kGradientBottom, kGradientBottom);
    glVertex2f(1.0f, -1.0f);
    glVertex2f(-1.0f, -1.0f);
    glEnd();
    // The model's own colours must not depend on the gradient's last corner.
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
}

} // namespace

void DrawModelPicture(CModel& model, int width, int height)
{
    scene::InitViewGlState();
    glViewport(0, 0, width, height);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawBackdrop();

    skfReshapeViewport(width, height, false, kFieldOfView);
    CCamera camera;
    camera.Reset();
    camera.SetPosition(0.0f, 0.0f, kEyeDistance);
    camera.SetRotation(kPitch, kYaw, 0.0f);
    camera.Activate();
    glDisable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    if (model.mMeshes.empty() && !model.mJoints.empty()) {
        // The view's colours for this skeleton style.
        const prefs::SettingsBlock settings;
        model.RenderSkeleton(kSkeletonStyle, kRed, settings.ColourOf(prefs::kBones4), kRed, kSkeletonSize);
    } else {
        model.Render();
    }
}

Picture ReadFramebuffer(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    Picture picture = FilledPicture(width, height, 0);
    // GL rows come bottom first; the clear leaves alpha as it was, and the picture is opaque.
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = rgba.data() + size_t(height - 1 - y) * size_t(width) * 4;
        for (int x = 0; x < width; ++x, from += 4)
            picture.At(x, y) = Rgb(from[0], from[1], from[2]);
    }
    return picture;
}

} // namespace kestrel::thumbnail
