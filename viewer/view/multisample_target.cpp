#include "multisample_target.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <algorithm>

#ifndef GL_MAX_SAMPLES
#define GL_MAX_SAMPLES 0x8D57
#endif

namespace kestrel::view {

CMultisampleTarget::CMultisampleTarget() = default;
CMultisampleTarget::~CMultisampleTarget() = default;

bool CMultisampleTarget::Available()
{
    if (samples_ < 0) {
        samples_ = 0;
        QOpenGLContext* context = QOpenGLContext::currentContext();
        if (context && QOpenGLFramebufferObject::hasOpenGLFramebufferObjects() &&
            QOpenGLFramebufferObject::hasOpenGLFramebufferBlit()) {
            GLint most = 0;
            context->functions()->glGetIntegerv(GL_MAX_SAMPLES, &most);
            samples_ = most > 1 ? std::min<int>(most, kWantedSamples) : 0;
        }
    }
    return samples_ > 1;
}

bool CMultisampleTarget::Bind(int width, int height)
{
    if (!Available())
        return false;
    if (!fbo_ || fbo_->width() != width || fbo_->height() != height) {
        QOpenGLFramebufferObjectFormat format;
        format.setSamples(samples_);
        format.setAttachment(QOpenGLFramebufferObject::Depth);
        fbo_ = std::make_unique<QOpenGLFramebufferObject>(width, height, format);
        if (!fbo_->isValid()) {
            // A driver that refuses the target now will refuse it again.
            fbo_.reset();
            samples_ = 0;
            return false;
        }
    }
    return fbo_->bind();
}

void CMultisampleTarget::ResolveInto(unsigned target)
{
    if (!fbo_)
        return;
    QOpenGLExtraFunctions* f = QOpenGLContext::currentContext()->extraFunctions();
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo_->handle());
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    f->glBlitFramebuffer(0, 0, fbo_->width(), fbo_->height(), 0, 0, fbo_->width(), fbo_->height(),
                         GL_COLOR_BUFFER_BIT, GL_NEAREST);
    f->glBindFramebuffer(GL_FRAMEBUFFER, target);
}

void CMultisampleTarget::Release()
{
    fbo_.reset();
    samples_ = -1;
}

} // namespace kestrel::view
