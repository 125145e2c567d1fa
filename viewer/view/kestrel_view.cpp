#include "kestrel_view.h"

#include <GL/gl.h>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "animation_step.h"
#include "display_options.h"
#include "command_ids.h"
#include "image_drawing.h"
#include "image_navigation.h"
#include "image_textures.h"
#include "kestrel_doc.h"
#include "navigation.h"
#include "nimbus/scene_draw.h"
#include "picking.h"
#include "scene_drawing.h"
#include "start_picture.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

namespace kestrel::view {
namespace {

constexpr float kFrameRateInterval = 0.1f; // seconds between frame-rate publications
constexpr int kIdlePollMs = 100;

// Keypad 4, 6, 2 and 8 pan; plus and minus zoom.
bool KeypadStep(int key, float n, CCamera& camera, scene::CameraState& state)
{
    switch (key) {
    case Qt::Key_4: PanBy(camera, state, kKeyPanStep * n, 0); return true;
    case Qt::Key_6: PanBy(camera, state, -kKeyPanStep * n, 0); return true;
    case Qt::Key_2: PanBy(camera, state, 0, kKeyPanStep * n); return true;
    case Qt::Key_8: PanBy(camera, state, 0, -kKeyPanStep * n); return true;
    case Qt::Key_Plus: ZoomBy(camera, state, -kKeyZoomStep); return true;
    case Qt::Key_Minus: ZoomBy(camera, state, kKeyZoomStep); return true;
    default: return false;
    }
}

} // namespace

CKestrelView::CKestrelView(CKestrelDoc& doc, QWidget* parent) : QOpenGLWidget(parent), doc_(doc)
{
    setFormat(SurfaceFormat());
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
    redrawTimer_.setInterval(kIdlePollMs);
    connect(&redrawTimer_, &QTimer::timeout, this, &CKestrelView::OnRedrawTick);
    doc_.AttachView(this);
}

CKestrelView::~CKestrelView()
{
    redrawTimer_.stop();
    if (context()) {
        // The base class destroys the context after this object is gone.
        disconnect(context(), nullptr, this, nullptr);
        ReleaseGlObjects();
    }
    if (doc_.View() == this)
        doc_.AttachView(nullptr);
}

QSurfaceFormat CKestrelView::SurfaceFormat()
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setVersion(2, 1); // fixed-function drawing, selection mode and display lists
    f.setProfile(QSurfaceFormat::NoProfile);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    f.setAlphaBufferSize(8);
    f.setDepthBufferSize(24);
    f.setStencilBufferSize(0);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    f.setSamples(0);
    return f;
}

void CKestrelView::ReleaseGlObjects()
{
    makeCurrent();
    multisample_.Release();
    imageTextures_.Release();
    doneCurrent();
}

int CKestrelView::PixelWidth() const
{
    return std::max(1, int(std::lround(width() * devicePixelRatioF())));
}

int CKestrelView::PixelHeight() const
{
    return std::max(1, int(std::lround(height() * devicePixelRatioF())));
}

void CKestrelView::BeginGl()
{
    if (glReady_ && glDepth_++ == 0)
        makeCurrent();
}

void CKestrelView::EndGl()
{
    if (glReady_ && glDepth_ > 0 && --glDepth_ == 0)
        doneCurrent();
}

void CKestrelView::initializeGL()
{
    glReady_ = true;
    multisample_.Release(); // a new context asks again
    multisampleAvailable_ = multisample_.Available();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CKestrelView::ReleaseGlObjects);
    scene::InitViewGlState();
    if (!MakeStartPicture(startPicture_))
        QMessageBox::warning(this, QString(), QStringLiteral("Loading failed!"));
    // A file opened before the window existed has its textures still to upload.
    if (doc_.ViewMode() == 1 && !doc_.Data().model.mMeshes.empty())
        doc_.Data().model.ReloadTextures(true);
}

void CKestrelView::SetProjection()
{
    skfReshapeViewport(PixelWidth(), PixelHeight(), doc_.ViewMode() != 1, 45.0f);
}

void CKestrelView::InitialUpdate()
{
    if (doc_.ViewMode() == 2)
        FitImage();
    if (!redrawTimer_.isActive())
        redrawTimer_.start();
    quickFrame_ = doc_.ViewMode() == 1;
    update();
}

void CKestrelView::FitImage()
{
    const CTexture& image = doc_.Data().image;
    scene::FitImage(doc_.ImageView(), PixelWidth(), PixelHeight(), int(image.mWidth), int(image.mHeight));
}

void CKestrelView::Redraw()
{
    update();
}

void CKestrelView::resizeGL(int, int)
{
    // The image keeps its zoom and moves to the middle of the new size.
    if (doc_.ViewMode() == 2)
        CentreImage();
    update();
}

scene::ImageFrame CKestrelView::CurrentImageFrame() const
{
    const CTexture& image = doc_.Data().image;
    return scene::ImageFrame{PixelWidth(), PixelHeight(), int(image.mWidth), int(image.mHeight)};
}

void CKestrelView::CentreImage()
{
    scene::ZoomImageBy(doc_.ImageView(), 0.0f, CurrentImageFrame());
}

void CKestrelView::HandleImageViewCommand(int commandId)
{
    if (doc_.ViewMode() != 2)
        return;
    scene::ImageView& view = doc_.ImageView();
    const scene::ImageFrame frame = CurrentImageFrame();
    switch (commandId) {
    case cmd::kFitWindow: scene::FitImageToWindow(view, frame); break;
    case cmd::kActualSize: scene::ShowImageActualSize(view, frame); break;
    case cmd::kZoomIn: scene::ZoomImageBy(view, scene::kImageZoomCommandStep, frame); break;
    case cmd::kZoomOut: scene::ZoomImageBy(view, -scene::kImageZoomCommandStep, frame); break;
    default: return;
    }
    ImageViewChanged();
}

void CKestrelView::ImageViewChanged()
{
    update();
    emit imageViewChanged();
}

QPoint CKestrelView::PixelPoint(const QPointF& position) const
{
    const qreal ratio = devicePixelRatioF();
    return QPoint(int(std::lround(position.x() * ratio)), int(std::lround(position.y() * ratio)));
}

void CKestrelView::ImageDrag(const QPoint& p)
{
    const QPoint now = PixelPoint(p), left = PixelPoint(lastLeft_), right = PixelPoint(lastRight_);
    scene::ImageView& view = doc_.ImageView();
    if (leftDown_) {
        // The image follows the mouse; window rows grow downwards, the image's upwards.
        scene::ScrollImage(view, now.x() - left.x(), left.y() - now.y());
        lastLeft_ = p;
    } else if (rightDown_) {
        scene::ZoomImageBy(view, float(right.y() - now.y()) * scene::kImageZoomPerPixel, CurrentImageFrame());
        lastRight_ = p;
    } else {
        return;
    }
    ImageViewChanged();
}

bool CKestrelView::ImageKey(QKeyEvent* event)
{
    scene::ImageView& view = doc_.ImageView();
    const int step = scene::ImageArrowStep(view.zoom, std::max(1, event->count()));
    const bool keypad = event->modifiers().testFlag(Qt::KeypadModifier);
    switch (event->key()) {
    case Qt::Key_Left: scene::ScrollImage(view, -step, 0); break;
    case Qt::Key_Right: scene::ScrollImage(view, step, 0); break;
    case Qt::Key_Down: scene::ScrollImage(view, 0, -step); break;
    case Qt::Key_Up: scene::ScrollImage(view, 0, step); break;
    case Qt::Key_Plus:
        if (!keypad)
            return false;
        scene::ZoomImageBy(view, scene::kImageZoomKeyStep, CurrentImageFrame());
        break;
    case Qt::Key_Minus:
        if (!keypad)
            return false;
        scene::ZoomImageBy(view, -scene::kImageZoomKeyStep, CurrentImageFrame());
        break;
    default: return false;
    }
    CentreImage();
    ImageViewChanged();
    return true;
}

void CKestrelView::paintGL()
{
    const int mode = doc_.ViewMode();
    // Multisampling only where it is available, wanted, and the 3D scene is shown.
    const bool multisampleWanted = mode == 1 && doc_.Settings().antialiasing != 0 && multisampleAvailable_;
    const bool quick = navigating_ || quickFrame_;
    lastFrameMultisampled_ = multisampleWanted && !quick && multisample_.Bind(PixelWidth(), PixelHeight());
    SetProjection();
    scene::SetClearColour(mode, doc_.Settings());
    scene::ApplyBackFaceOption(doc_.State());
    if (mode != 2)
        imageTextures_.Release(); // an image no longer shown keeps no video memory
    if (mode == 1) {
        // Time moves once per displayed frame, then the frame is drawn at that time.
        scene::AdvanceAnimation(doc_.Data().model, doc_.AnimationSpeed());
        scene::SceneFrame frame;
        frame.multisampleAvailable = lastFrameMultisampled_;
        scene::DrawModelScene(doc_.Data().model, doc_.Camera(), doc_.Data().stats, doc_.State(), doc_.Settings(),
                              frame);
        if (lastFrameMultisampled_)
            multisample_.ResolveInto(defaultFramebufferObject());
    } else if (mode == 2) {
        DrawImageMode();
    } else {
        DrawStartPicture();
    }
    PublishFrameRate();
    emit frameDrawn();
    // A model just opened shows at once; its multisampled frame follows.
    if (quickFrame_) {
        quickFrame_ = false;
        if (multisampleWanted && !navigating_)
            update();
    }
    // Keep a playing animation moving: the next frame follows as soon as this one is shown.
    animating_ = mode == 1 && !redrawPaused_ && AnimationPlaying();
    if (animating_)
        update();
}

void CKestrelView::DrawImageMode()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_MULTISAMPLE);
    glDisable(GL_TEXTURE_1D); // drawn pixels would be textured
    glDisable(GL_TEXTURE_2D);
    const doc::Document& d = doc_.Data();
    const bool showAlpha = doc_.State().showAlpha != 0;
    if (imageTextures_.Prepare(d.image, d.backdrop, d.imageSerial))
        imageTextures_.Draw(doc_.ImageView(), showAlpha && d.image.mBpp == 32);
    else
        scene::DrawImage(d.image, d.backdrop, doc_.ImageView(), showAlpha);
}

void CKestrelView::DrawStartPicture()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_MULTISAMPLE);
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_TEXTURE_2D);
    if (!HasStartPicture())
        return;
    // Unscaled, its top-left corner at the window's top-left corner.
    scene::ImageView at;
    at.fitY = PixelHeight() - int(startPicture_.mHeight);
    scene::DrawImage(startPicture_, CTexture(), at, false);
}

void CKestrelView::PublishFrameRate()
{
    const float fps = skfGetFPS();
    const float now = timer_.GetTime();
    if (lastPublished_ < 0.0f || now - lastPublished_ >= kFrameRateInterval) {
        lastPublished_ = now;
        doc_.SetFrameRate(fps);
    }
}

bool CKestrelView::AnimationPlaying() const
{
    const CModel& model = doc_.Data().model;
    return model.AniIsPlaying() && !model.AniIsPaused();
}

void CKestrelView::OnRedrawTick()
{
    // Starts the repaint chain when an animation begins to play; paintGL carries it on.
    if (redrawPaused_ || animating_ || doc_.ViewMode() != 1 || (window() && window()->isMinimized()))
        return;
    if (AnimationPlaying()) {
        animating_ = true;
        update();
    }
}

bool CKestrelView::HandleCommand(int commandId)
{
    if (ApplyDisplayCommand(doc_.State(), commandId)) {
        update();
        return true;
    }
    CVector3d rotation;
    if (CameraPresetRotation(commandId, rotation)) {
        doc_.SetCameraPreset(rotation);
        return true;
    }
    if (commandId == cmd::kDisplayCameras) {
        QMessageBox::information(this, QString(), QStringLiteral("This function is currently unavailable."));
        return true;
    }
    return commandId == cmd::kDisplayLights;
}

bool CKestrelView::IsCommandChecked(int commandId) const
{
    return IsDisplayCommandChecked(doc_.State(), commandId);
}

void CKestrelView::PickAt(const QPoint& position, bool additive)
{
    if (doc_.ViewMode() != 1 || !glReady_)
        return;
    makeCurrent();
    skfReshapeViewport(PixelWidth(), PixelHeight(), false, 45.0f);
    const qreal ratio = devicePixelRatioF();
    const int hit = PickMesh(doc_.Data().model, doc_.Camera(), int(std::lround(position.x() * ratio)),
                             int(std::lround(position.y() * ratio)));
    doneCurrent();
    CModel& model = doc_.Data().model;
    UpdateSelection(doc_.Selection(), hit, additive,
                    [&model](int mesh, bool on) { model.SetMeshFlag(mesh, 1, on); });
    emit selectionChanged();
    update();
}

void CKestrelView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        leftDown_ = true;
        lastLeft_ = p;
        leftPressTime_ = timer_.GetTime();
    } else if (event->button() == Qt::RightButton) {
        rightDown_ = true;
        lastRight_ = p;
    }
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void CKestrelView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const bool wasDown = leftDown_;
        leftDown_ = false;
        if (wasDown && timer_.GetTime() - leftPressTime_ < kClickSeconds)
            PickAt(event->position().toPoint(), event->modifiers().testFlag(Qt::ShiftModifier));
    } else if (event->button() == Qt::RightButton) {
        rightDown_ = false;
    }
    if (navigating_ && !leftDown_ && !rightDown_) {
        navigating_ = false;
        update(); // the camera's resting place, at full quality
    }
    event->accept();
}

void CKestrelView::mouseMoveEvent(QMouseEvent* event)
{
    if (doc_.ViewMode() == 2)
        ImageDrag(event->position().toPoint());
    if (doc_.ViewMode() != 1)
        return;
    const QPoint p = event->position().toPoint();
    CCamera& camera = doc_.Camera();
    scene::CameraState& state = doc_.CameraValues();
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (leftDown_ && rightDown_) {
        MousePan(camera, state, float(lastLeft_.x() - p.x()), float(lastLeft_.y() - p.y()));
        lastLeft_ = lastRight_ = p;
    } else if (leftDown_) {
        const float dx = float(lastLeft_.x() - p.x()), dy = float(lastLeft_.y() - p.y());
        if (ctrl)
            MousePan(camera, state, dx, dy);
        else
            MouseOrbit(camera, state, dx, dy);
        lastLeft_ = p;
    } else if (rightDown_) {
        MouseZoom(camera, state, float(lastRight_.y() - p.y()));
        lastRight_ = p;
    } else {
        return;
    }
    navigating_ = true;
    update();
}

void CKestrelView::wheelEvent(QWheelEvent* event)
{
    if (doc_.ViewMode() == 2) {
        // About the point under the mouse, as image viewers zoom.
        const QPoint at = PixelPoint(event->position());
        scene::ZoomImageAbout(doc_.ImageView(), float(event->angleDelta().y()) * scene::kImageZoomPerWheelUnit, at.x(),
                              PixelHeight() - at.y(), CurrentImageFrame());
        ImageViewChanged();
        event->accept();
        return;
    }
    if (doc_.ViewMode() != 1)
        return;
    WheelZoom(doc_.Camera(), doc_.CameraValues(), float(event->angleDelta().y()));
    update();
    event->accept();
}

void CKestrelView::keyPressEvent(QKeyEvent* event)
{
    const float n = float(std::max(1, event->count()));
    const bool keypad = event->modifiers().testFlag(Qt::KeypadModifier);
    if ((event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        window() && window()->isFullScreen()) {
        emit leaveFullScreenRequested();
        return;
    }
    if (doc_.ViewMode() == 2 && ImageKey(event))
        return;
    if (doc_.ViewMode() != 1) {
        QOpenGLWidget::keyPressEvent(event);
        return;
    }
    CCamera& camera = doc_.Camera();
    scene::CameraState& state = doc_.CameraValues();
    bool handled = true;
    switch (event->key()) {
    case Qt::Key_Left: RotateBy(camera, state, 0, -n); break;
    case Qt::Key_Right: RotateBy(camera, state, 0, n); break;
    case Qt::Key_Up: RotateBy(camera, state, -n, 0); break;
    case Qt::Key_Down: RotateBy(camera, state, n, 0); break;
    default: handled = keypad && KeypadStep(event->key(), n, camera, state); break;
    }
    if (!handled) {
        QOpenGLWidget::keyPressEvent(event);
        return;
    }
    update();
}

} // namespace kestrel::view
