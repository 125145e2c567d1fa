#include "video_frames.h"

#include <GL/gl.h>
#include <QOpenGLFramebufferObject>

#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "nimbus/scene_draw.h"
#include "scene_drawing.h"

namespace kestrel::capture {
namespace {
constexpr float kFieldOfView = 45.0f;
constexpr GLenum kBgr = 0x80E0; // GL_BGR, OpenGL 1.2
} // namespace

CVideoFrames::CVideoFrames(view::CKestrelView& view, view::CKestrelDoc& doc, int width, int height)
    : view_(view), doc_(doc), width_(width), height_(height)
{
    view_.BeginGl();
    target_ = std::make_unique<QOpenGLFramebufferObject>(width, height, QOpenGLFramebufferObject::Depth);
    valid_ = target_->isValid();
    view_.EndGl();
}

CVideoFrames::~CVideoFrames()
{
    view_.BeginGl();
    target_.reset();
    view_.EndGl();
}

bool CVideoFrames::Draw(std::vector<uint8_t>& bgr)
{
    if (!valid_)
        return false;
    view_.BeginGl();
    const bool bound = target_->bind();
    if (bound) {
        glViewport(0, 0, width_, height_);
        skfReshapeViewport(width_, height_, false, kFieldOfView);
        scene::DrawModelScene(doc_.Data().model, doc_.Camera(), doc_.Data().stats, doc_.State(), doc_.Settings(),
                              scene::SceneFrame{});
        glFinish();
        bgr.resize(size_t(width_) * size_t(height_) * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width_, height_, kBgr, GL_UNSIGNED_BYTE, bgr.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        target_->release();
    }
    view_.EndGl();
    return bound;
}

} // namespace kestrel::capture
