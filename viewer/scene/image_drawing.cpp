#include "image_drawing.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

#include "nimbus/texture.h"

namespace kestrel::scene {

void FitImage(ImageView& view, int windowWidth, int windowHeight, int imageWidth, int imageHeight)
{
    const int W = std::max(windowWidth, 1), H = std::max(windowHeight, 1);
    const int w = std::max(imageWidth, 1), h = std::max(imageHeight, 1);
    view.zoom = 1.0f;
    if (w <= W && h <= H) {
        view.fitX = (W - w) / 2;
        view.fitY = (H - h) / 2;
        return;
    }
    const float sx = float(W) / float(w), sy = float(H) / float(h);
    if (sx >= sy) {
        view.zoom = sy;
        view.fitX = int((float(W) - sy * float(w)) * 0.5f);
        view.fitY = 0;
    } else {
        view.zoom = sx;
        view.fitX = 0;
        view.fitY = int((float(H) - sx * float(h)) * 0.5f);
    }
}

void CentreImage(ImageView& view, int windowWidth, int windowHeight, int imageWidth, int imageHeight)
{
    const int W = std::max(windowWidth, 1), H = std::max(windowHeight, 1);
    view.fitX = int((float(W) - float(imageWidth) * view.zoom) * 0.5f);
    view.fitY = int((float(H) - float(imageHeight) * view.zoom) * 0.5f);
}

void BuildAlphaBackdrop(const CTexture& image, CTexture& backdrop)
{
    backdrop.Clear();
    if (image.mWidth == 0 || image.mHeight == 0 || image.mBpp != 32)
        return;
    backdrop.mWidth = image.mWidth;
    backdrop.mHeight = image.mHeight;
    backdrop.mBpp = 32;
    backdrop.InitPixelData();
    if (backdrop.mData.size() != size_t(image.mWidth) * image.mHeight * 4) {
        backdrop.Clear();
        return;
    }
    for (uint32_t y = 0; y < image.mHeight; ++y)
        for (uint32_t x = 0; x < image.mWidth; ++x) {
            uint8_t* p = backdrop.mData.data() + (size_t(y) * image.mWidth + x) * 4;
            const uint8_t v = (((x / 8) ^ (y / 8)) & 1) ? 255 : 224;
            p[0] = p[1] = v;
            p[2] = p[3] = 255;
        }
}

namespace {

// The image pixels [begin, end) that reach a window side of `window` pixels when the image
// starts at `origin` with `zoom` window pixels per image pixel.
void VisibleRange(double origin, double zoom, int window, int count, int& begin, int& end)
{
    begin = std::clamp(int(std::floor(-origin / zoom)), 0, count);
    end = std::clamp(int(std::ceil((double(window) - origin) / zoom)) + 1, begin, count);
}

} // namespace

void DrawImage(const CTexture& image, const CTexture& backdrop, const ImageView& view, bool showAlpha)
{
    if (image.mWidth == 0 || image.mHeight == 0 || (image.mBpp != 24 && image.mBpp != 32) ||
        image.mData.size() < size_t(image.mWidth) * image.mHeight * (image.mBpp / 8) || !(view.zoom > 0.0f))
        return;
    const GLsizei w = GLsizei(image.mWidth), h = GLsizei(image.mHeight);
    const int x = view.fitX + view.scrollX, y = view.fitY + view.scrollY;
    // Only the part inside the window is sent: a large image zoomed in or scrolled would
    // otherwise pass all its pixels through the pipeline on every redraw.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    int u0 = 0, u1 = w, v0 = 0, v1 = h;
    if (viewport[2] > 0 && viewport[3] > 0) {
        VisibleRange(x, view.zoom, viewport[2], w, u0, u1);
        VisibleRange(y, view.zoom, viewport[3], h, v0, v1);
    }
    if (u1 <= u0 || v1 <= v0)
        return;
    const float rx = float(x) + float(u0) * view.zoom, ry = float(y) + float(v0) * view.zoom;
    if (rx >= 0.0f && ry >= 0.0f) {
        glRasterPos2f(rx, ry);
    } else {
        // A raster position outside the window is invalid; move there with an empty bitmap.
        glRasterPos2i(0, 0);
        glBitmap(0, 0, 0, 0, rx, ry, nullptr);
    }
    glPixelZoom(view.zoom, view.zoom);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLsizei dw = u1 - u0, dh = v1 - v0;
    // The unpacking state only when clipped: the driver's fast path wants it plain.
    const bool clipped = dw != w || dh != h;
    if (clipped) {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, w);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, u0);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, v0);
    }
    if (image.mBpp == 32 && showAlpha && backdrop.mWidth == image.mWidth && backdrop.mHeight == image.mHeight &&
        backdrop.mData.size() >= size_t(w) * size_t(h) * 4) {
        glEnable(GL_BLEND);
        glDrawPixels(dw, dh, GL_RGBA, GL_UNSIGNED_BYTE, backdrop.mData.data());
        glDrawPixels(dw, dh, GL_RGBA, GL_UNSIGNED_BYTE, image.mData.data());
        glDisable(GL_BLEND);
    } else {
        glDrawPixels(dw, dh, image.mBpp == 32 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, image.mData.data());
    }
    if (clipped) {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    }
    glPixelZoom(1.0f, 1.0f);
}

} // namespace kestrel::scene
