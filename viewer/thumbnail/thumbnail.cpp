#include "thumbnail.h"

#include "document.h"
#include "model_picture.h"
#include "nimbus/texture.h"
#include "offscreen/headless_gl.h"

namespace kestrel::thumbnail {
namespace {

QImage Blank(int width, int height)
{
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(kBlankColour);
    return canvas;
}

void DrawFrame(QImage& canvas)
{
    const int w = canvas.width(), h = canvas.height();
    for (int x = 0; x < w; ++x) {
        canvas.setPixel(x, 0, kFrameColour);
        canvas.setPixel(x, h - 1, kFrameColour);
    }
    for (int y = 0; y < h; ++y) {
        canvas.setPixel(0, y, kFrameColour);
        canvas.setPixel(w - 1, y, kFrameColour);
    }
}

// Copies a picture of the canvas's format to (x, y), clipped to the canvas.
void Paste(QImage& canvas, const QImage& piece, int x, int y)
{
    for (int row = 0; row < piece.height(); ++row) {
        const int cy = y + row;
        if (cy < 0 || cy >= canvas.height())
            continue;
        const auto* from = reinterpret_cast<const QRgb*>(piece.constScanLine(row));
        auto* to = reinterpret_cast<QRgb*>(canvas.scanLine(cy));
        for (int col = 0; col < piece.width(); ++col) {
            const int cx = x + col;
            if (cx >= 0 && cx < canvas.width())
                to[cx] = from[col];
        }
    }
}

} // namespace

QImage TextureToImage(const CTexture& texture)
{
    const int bytesPerPixel = texture.mBpp / 8;
    if ((texture.mBpp != 24 && texture.mBpp != 32) || texture.mWidth == 0 || texture.mHeight == 0 ||
        texture.mData.size() < size_t(texture.mWidth) * texture.mHeight * size_t(bytesPerPixel))
        return {};
    const int w = int(texture.mWidth), h = int(texture.mHeight);
    QImage picture(w, h, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    for (int y = 0; y < h; ++y) {
        // The texture stores its bottom row first.
        const uint8_t* from = texture.mData.data() + size_t(h - 1 - y) * size_t(w) * size_t(bytesPerPixel);
        auto* to = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < w; ++x, from += bytesPerPixel)
            to[x] = qRgb(from[0], from[1], from[2]);
    }
    return picture;
}

QImage EmptyThumbnail(int width, int height)
{
    QImage canvas = Blank(width, height);
    DrawFrame(canvas);
    return canvas;
}

QImage ImageThumbnail(const CTexture& image, int width, int height)
{
    QImage canvas = Blank(width, height);
    const QImage picture = TextureToImage(image);
    const Rect target = ImageTarget(picture.width(), picture.height(), width, height);
    if (!picture.isNull() && target.width > 0) {
        if (target.width == picture.width() && target.height == picture.height())
            Paste(canvas, picture, target.x, target.y);
        else
            Paste(canvas,
                  picture.scaled(target.width, target.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_RGB32),
                  target.x, target.y);
    }
    DrawFrame(canvas);
    return canvas;
}

QImage ModelThumbnail(const QImage& picture, int width, int height)
{
    QImage canvas = Blank(width, height);
    if (!picture.isNull())
        Paste(canvas,
              picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32),
              0, 0);
    DrawFrame(canvas);
    return canvas;
}

QImage RenderThumbnail(doc::Document& document, int width, int height, std::string* error)
{
    switch (document.viewMode) {
    case doc::kImage: return ImageThumbnail(document.image, width, height);
    case doc::kModel: {
        const Size size = ModelPictureSize(width, height);
        offscreen::HeadlessGl* gl = offscreen::HeadlessGl::Acquire(size.width, size.height, error);
        if (!gl)
            return {};
        DrawModelPicture(document.model, size.width, size.height);
        return ModelThumbnail(ReadFramebuffer(size.width, size.height), width, height);
    }
    case doc::kEmpty: break;
    }
    return EmptyThumbnail(width, height);
}

} // namespace kestrel::thumbnail
