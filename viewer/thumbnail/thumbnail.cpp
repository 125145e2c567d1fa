#include "thumbnail.h"

#include "document.h"
#include "model_picture.h"
#include "nimbus/texture.h"
#include "offscreen/headless_gl.h"

namespace kestrel::thumbnail {
namespace {

void DrawFrame(Picture& canvas)
{
    if (canvas.IsNull())
        return;
    const int w = canvas.width, h = canvas.height;
    for (int x = 0; x < w; ++x) {
        canvas.At(x, 0) = kFrameColour;
        canvas.At(x, h - 1) = kFrameColour;
    }
    for (int y = 0; y < h; ++y) {
        canvas.At(0, y) = kFrameColour;
        canvas.At(w - 1, y) = kFrameColour;
    }
}

} // namespace

Picture TextureToImage(const CTexture& texture)
{
    const int bytesPerPixel = texture.mBpp / 8;
    if ((texture.mBpp != 24 && texture.mBpp != 32) || texture.mWidth == 0 || texture.mHeight == 0 ||
        texture.mData.size() < size_t(texture.mWidth) * texture.mHeight * size_t(bytesPerPixel))
        return {};
    const int w = int(texture.mWidth), h = int(texture.mHeight);
    Picture picture = FilledPicture(w, h, kBlankColour);
    for (int y = 0; y < h; ++y) {
        // The texture stores its bottom row first.
        const uint8_t* from = texture.mData.data() + size_t(h - 1 - y) * size_t(w) * size_t(bytesPerPixel);
        for (int x = 0; x < w; ++x, from += bytesPerPixel)
            picture.At(x, y) = Rgb(from[0], from[1], from[2]);
    }
    return picture;
}

Picture EmptyThumbnail(int width, int height)
{
    Picture canvas = FilledPicture(width, height, kBlankColour);
    DrawFrame(canvas);
    return canvas;
}

Picture ImageThumbnail(const CTexture& image, int width, int height)
{
    Picture canvas = FilledPicture(width, height, kBlankColour);
    const Picture picture = TextureToImage(image);
    const Rect target = ImageTarget(picture.width, picture.height, width, height);
    if (!picture.IsNull() && target.width > 0)
        Paste(canvas, Resampled(picture, target.width, target.height), target.x, target.y);
    DrawFrame(canvas);
    return canvas;
}

Picture ModelThumbnail(const Picture& picture, int width, int height)
{
    Picture canvas = FilledPicture(width, height, kBlankColour);
    if (!picture.IsNull())
        Paste(canvas, Resampled(picture, width, height), 0, 0);
    DrawFrame(canvas);
    return canvas;
}

Picture RenderThumbnail(doc::Document& document, int width, int height, std::string* error)
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
