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

QImage ReadFramebuffer(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGBX8888);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, picture.bits());
    // The clear leaves alpha as it was; the picture is opaque.
    uchar* bytes = picture.bits();
    for (qsizetype i = 3; i < picture.sizeInBytes(); i += 4)
        bytes[i] = 255;
    // GL rows come bottom first.
    return picture.mirrored(false, true).convertToFormat(QImage::Format_RGB32);
}

} // namespace kestrel::thumbnail
