#include "print_picture.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <QOpenGLContext>
#include <algorithm>
#include <vector>

#include "image_drawing.h"
#include "kestrel_doc.h"
#include "nimbus/model.h"
#include "nimbus/scene_draw.h"
#include "offscreen/headless_gl.h"
#include "scene_drawing.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

namespace kestrel::printing {
namespace {

constexpr float kFieldOfView = 45.0f;

// The model's texture names belong to the window's context: while the picture is drawn the
// model uses textures of the off-screen context, which go again afterwards.
class PictureTextures {
public:
    explicit PictureTextures(CModel& model) : model_(model)
    {
        ramp_ = model.mRampTexture;
        for (const CMaterial& material : model.mMaterials)
            names_.push_back(material.mDiffuseTex.mTexName);
        SetNames(0, std::vector<unsigned>(names_.size(), 0));
        model.ReloadTextures(false);
    }
    ~PictureTextures()
    {
        std::vector<GLuint> made;
        if (model_.mRampTexture)
            made.push_back(model_.mRampTexture);
        for (const CMaterial& material : model_.mMaterials)
            if (material.mDiffuseTex.mTexName)
                made.push_back(material.mDiffuseTex.mTexName);
        if (!made.empty())
            glDeleteTextures(GLsizei(made.size()), made.data());
        SetNames(ramp_, names_);
    }
    PictureTextures(const PictureTextures&) = delete;
    PictureTextures& operator=(const PictureTextures&) = delete;

private:
    void SetNames(unsigned ramp, const std::vector<unsigned>& names)
    {
        model_.mRampTexture = ramp;
        for (size_t i = 0; i < model_.mMaterials.size() && i < names.size(); ++i)
            model_.mMaterials[i].mDiffuseTex.mTexName = names[i];
    }

    CModel& model_;
    unsigned ramp_ = 0;
    std::vector<unsigned> names_;
};

// A thread has one current context across GLX and EGL: Qt's goes before ours is made current.
void ReleaseQtContext()
{
    if (QOpenGLContext* current = QOpenGLContext::currentContext())
        current->doneCurrent();
}

void ReleaseOffscreenContext() { offscreen::HeadlessGl::ReleaseCurrent(); }

// The image view of the window, grown with the picture so the image covers the same part of it.
scene::ImageView ScaledImageView(scene::ImageView view, float factor)
{
    view.zoom *= factor;
    view.fitX = int(view.fitX * factor);
    view.fitY = int(view.fitY * factor);
    view.scrollX = int(view.scrollX * factor);
    view.scrollY = int(view.scrollY * factor);
    return view;
}

void DrawDocument(view::CKestrelDoc& doc, PixelSize picture, PixelSize viewSize)
{
    const int mode = doc.ViewMode();
    scene::InitViewGlState();
    skfReshapeViewport(picture.width, picture.height, mode != doc::kModel, kFieldOfView);
    scene::SetClearColour(mode, doc.Settings());
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f); // paper, not the window's background
    scene::ApplyBackFaceOption(doc.State());
    if (mode == doc::kModel) {
        PictureTextures textures(doc.Data().model);
        scene::DrawModelScene(doc.Data().model, doc.Camera(), doc.Data().stats, doc.State(), doc.Settings(),
                              scene::SceneFrame{});
        return;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_MULTISAMPLE);
    glDisable(GL_TEXTURE_1D); // drawn pixels would be textured
    glDisable(GL_TEXTURE_2D);
    const float factor = float(picture.width) / float(viewSize.width > 0 ? viewSize.width : picture.width);
    scene::DrawImage(doc.Data().image, doc.Data().backdrop, ScaledImageView(doc.ImageView(), factor),
                     doc.State().showAlpha != 0);
}

} // namespace

int MaxPictureSide()
{
    ReleaseQtContext();
    offscreen::HeadlessGl* gl = offscreen::HeadlessGl::Acquire(1, 1);
    if (!gl)
        return 0;
    GLint renderbuffer = 0, viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    ReleaseOffscreenContext();
    return std::min({int(renderbuffer), int(viewport[0]), int(viewport[1])});
}

QImage DrawPrintPicture(view::CKestrelDoc& doc, PixelSize picture, PixelSize viewSize)
{
    const int mode = doc.ViewMode();
    if (picture.width < 1 || picture.height < 1 || (mode != doc::kModel && mode != doc::kImage))
        return {};
    ReleaseQtContext();
    offscreen::HeadlessGl* gl = offscreen::HeadlessGl::Acquire(picture.width, picture.height);
    if (!gl)
        return {};
    QImage image;
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) {
        DrawDocument(doc, picture, viewSize);
        const std::vector<uint8_t> pixels = gl->ReadPixels(); // top row first
        image = QImage(pixels.data(), picture.width, picture.height, picture.width * 4, QImage::Format_RGBX8888)
                    .convertToFormat(QImage::Format_RGB32);
    }
    // A large target is not kept for the next small picture.
    gl->Resize(1, 1);
    ReleaseOffscreenContext();
    return image;
}

} // namespace kestrel::printing
