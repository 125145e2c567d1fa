#include "thumbnail_command.h"

#include <cstdio>
#include <filesystem>

#include "document_session.h"
#include "offscreen/headless_gl.h"
#include "nimbus/texture.h"
#include "output_target.h"
#include "thumbnail.h"

namespace kestrel::cli {
namespace {

// The picture as a 24-bit texture, bottom row first, saved as PNG.
bool SavePicture(const QImage& image, const std::string& path)
{
    CTexture picture;
    picture.mWidth = uint32_t(image.width());
    picture.mHeight = uint32_t(image.height());
    picture.mBpp = 24;
    picture.InitPixelData();
    for (uint32_t y = 0; y < picture.mHeight; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(int(picture.mHeight - 1 - y)));
        uint8_t* to = picture.mData.data() + size_t(y) * picture.mWidth * 3;
        for (uint32_t x = 0; x < picture.mWidth; ++x, to += 3) {
            to[0] = uint8_t(qRed(from[x]));
            to[1] = uint8_t(qGreen(from[x]));
            to[2] = uint8_t(qBlue(from[x]));
        }
    }
    return picture.SaveToFile(path.c_str(), SK_TEX_PNG);
}

} // namespace

int ThumbnailCommand(const ThumbnailOptions& o)
{
    std::error_code ec;
    const std::string output = std::filesystem::absolute(o.output, ec).string();
    // No context yet: an image or an empty document needs none. A model's textures are
    // read without one and made once the context that draws them exists.
    DocumentSession session(o.plugInFolder, o.input);
    const doc::OpenOutcome outcome = session.Open();
    if (!outcome.ok) {
        std::fprintf(stderr, "%s\n", outcome.status.c_str());
        return 1;
    }
    if (session.Document().viewMode == doc::kModel) {
        const thumbnail::Size size = thumbnail::ModelPictureSize(o.width, o.height);
        if (session.AcquireGl(size.width, size.height)) {
            session.Gl()->MakeCurrent();
            doc::UploadDocument(session.Document());
        }
    }
    std::string glError;
    const QImage picture =
        thumbnail::RenderThumbnail(session.Document(), o.width, o.height, &glError).convertToFormat(QImage::Format_RGB32);
    if (picture.isNull()) {
        std::fprintf(stderr, "No off-screen OpenGL context: %s\n", glError.c_str());
        return 1;
    }
    const std::string target = ec ? o.output : output;
    const std::string refusal = WriteRefusalFor(target);
    if (!refusal.empty() || !SavePicture(picture, target)) {
        ReportWriteFailure("Cannot write " + o.output, refusal);
        return 1;
    }
    return 0;
}

} // namespace kestrel::cli
