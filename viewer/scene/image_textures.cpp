#include "image_textures.h"

#include <GL/gl.h>

#include "image_drawing.h"
#include "nimbus/texture.h"

namespace kestrel::scene {
namespace {

GLuint MakeTexture(const CTexture& t)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0)
        return 0;
    glBindTexture(GL_TEXTURE_2D, name);
    // Nearest: each window pixel shows exactly one image pixel, as a pixel drawing does.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLenum format = t.mBpp == 32 ? GL_RGBA : GL_RGB;
    glGetError();
    glTexImage2D(GL_TEXTURE_2D, 0, t.mBpp == 32 ? GL_RGBA8 : GL_RGB8, GLsizei(t.mWidth), GLsizei(t.mHeight), 0, format,
                 GL_UNSIGNED_BYTE, t.mData.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &name);
        return 0;
    }
    return name;
}

bool Drawable(const CTexture& t)
{
    return t.mWidth > 0 && t.mHeight > 0 && (t.mBpp == 24 || t.mBpp == 32) &&
           t.mData.size() >= size_t(t.mWidth) * t.mHeight * (t.mBpp / 8);
}

void Quad(GLuint texture, float x0, float y0, float x1, float y1)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(x0, y0);
    glTexCoord2f(1, 0);
    glVertex2f(x1, y0);
    glTexCoord2f(1, 1);
    glVertex2f(x1, y1);
    glTexCoord2f(0, 1);
    glVertex2f(x0, y1);
    glEnd();
}

} // namespace

bool CImageTextures::Prepare(const CTexture& image, const CTexture& backdrop, uint64_t serial)
{
    if (serial == serial_)
        return usable_;
    Release();
    serial_ = serial;
    if (!Drawable(image) || !glGetString(GL_VERSION))
        return false;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (image.mWidth > uint32_t(largest) || image.mHeight > uint32_t(largest))
        return false;
    image_ = MakeTexture(image);
    if (image_ && image.mBpp == 32 && Drawable(backdrop) && backdrop.mWidth == image.mWidth &&
        backdrop.mHeight == image.mHeight)
        backdrop_ = MakeTexture(backdrop);
    width_ = int(image.mWidth);
    height_ = int(image.mHeight);
    usable_ = image_ != 0;
    return usable_;
}

void CImageTextures::Release()
{
    if (image_)
        glDeleteTextures(1, &image_);
    if (backdrop_)
        glDeleteTextures(1, &backdrop_);
    image_ = backdrop_ = 0;
    usable_ = false;
    serial_ = ~uint64_t(0);
}

void CImageTextures::Draw(const ImageView& view, bool withBackdrop) const
{
    if (!usable_)
        return;
    const float x0 = float(view.fitX + view.scrollX), y0 = float(view.fitY + view.scrollY);
    const float x1 = x0 + float(width_) * view.zoom, y1 = y0 + float(height_) * view.zoom;
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_1D);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor4f(1, 1, 1, 1);
    if (withBackdrop && backdrop_) {
        glEnable(GL_BLEND);
        Quad(backdrop_, x0, y0, x1, y1);
        Quad(image_, x0, y0, x1, y1);
        glDisable(GL_BLEND);
    } else {
        glDisable(GL_BLEND);
        Quad(image_, x0, y0, x1, y1);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopAttrib();
}

} // namespace kestrel::scene
