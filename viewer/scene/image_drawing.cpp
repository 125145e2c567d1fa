#include "image_drawing.h"

#include <GL/gl.h>
#include <algorithm>

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

void DrawImage(const CTexture& image, const CTexture& backdrop, const ImageView& view, bool showAlpha)
{
    if (image.mWidth == 0 || image.mHeight == 0 || (image.mBpp != 24 && image.mBpp != 32) ||
        image.mData.size() < size_t(image.mWidth) * image.mHeight * (image.mBpp / 8))
        return;
    const int x = view.fitX + view.scrollX, y = view.fitY + view.scrollY;
    if (x >= 0 && y >= 0) {
        glRasterPos2i(x, y);
    } else {
        // A raster position outside the window is invalid; move there with an empty bitmap.
        glRasterPos2i(0, 0);
        glBitmap(0, 0, 0, 0, float(x), float(y), nullptr);
    }
    glPixelZoom(view.zoom, view.zoom);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLsizei w = GLsizei(image.mWidth), h = GLsizei(image.mHeight);
    if (image.mBpp == 32 && showAlpha && backdrop.mWidth == image.mWidth && backdrop.mHeight == image.mHeight &&
        backdrop.mData.size() >= size_t(w) * size_t(h) * 4) {
        glEnable(GL_BLEND);
        glDrawPixels(w, h, GL_RGBA, GL_UNSIGNED_BYTE, backdrop.mData.data());
        glDrawPixels(w, h, GL_RGBA, GL_UNSIGNED_BYTE, image.mData.data());
        glDisable(GL_BLEND);
    } else {
        glDrawPixels(w, h, image.mBpp == 32 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, image.mData.data());
    }
    glPixelZoom(1.0f, 1.0f);
}

} // namespace kestrel::scene
