#pragma once
#include <QOpenGLWidget>
#include <QPoint>
#include <QTimer>

#include "document_view.h"
#include "image_navigation.h"
#include "image_textures.h"
#include "multisample_target.h"
#include "nimbus/texture.h"
#include "nimbus/timer.h"
#include "picture.h"

class QSurfaceFormat;

namespace kestrel::view {

class CKestrelDoc;

// The document's OpenGL view: the 3D scene in view mode 1, the fitted image in mode 2 and
// the start picture in mode 0. Owns the display-option and camera commands, mouse and
// keyboard navigation, picking and the redraw that keeps a playing animation moving.
class CKestrelView : public QOpenGLWidget, public IDocumentView {
    Q_OBJECT
public:
    explicit CKestrelView(CKestrelDoc& doc, QWidget* parent = nullptr);
    ~CKestrelView() override;

    // A 2.1 context with depth and a single-sampled buffer: antialiasing draws into a
    // multisampled target of its own, so switching it needs no new context.
    static QSurfaceFormat SurfaceFormat();

    // Display options, camera presets, Display Cameras and Lights; false for other commands.
    bool HandleCommand(int commandId);
    bool IsCommandChecked(int commandId) const;
    // Fit Window, Actual Size, Zoom In and Zoom Out on the document's image.
    void HandleImageViewCommand(int commandId);
    CKestrelDoc& Doc() const { return doc_; }

    // A left click shorter than this picks.
    static constexpr float kClickSeconds = 0.15f;
    // Picks the mesh under a point in widget coordinates.
    void PickAt(const QPoint& position, bool additive);

    // Recording pauses the redraw loop.
    void SetRedrawPaused(bool paused) { redrawPaused_ = paused; }
    // Whether the view keeps repainting for a playing animation.
    bool IsAnimating() const { return animating_; }
    bool RedrawLoopStarted() const { return redrawTimer_.isActive(); }
    bool MultisampleAvailable() const { return multisampleAvailable_; }
    // Whether the last frame was drawn multisampled.
    bool LastFrameMultisampled() const { return lastFrameMultisampled_; }
    bool HasStartPicture() const { return startPicture_.mWidth > 0; }
    // The file list's picture of the document, a model drawn in this view's context so its
    // textures show; null when the view has no context yet.
    thumbnail::Picture DocumentThumbnail();

    // IDocumentView
    void BeginGl() override;
    void EndGl() override;
    void InitialUpdate() override;
    void FitImage() override;
    void Redraw() override;

signals:
    void selectionChanged();
    // A frame was drawn: what it shows (such as the image's zoom) may have changed.
    void frameDrawn();
    // Enter or Esc in full-screen mode.
    void leaveFullScreenRequested();
    // The image's zoom or position changed (the zoom commands' states follow).
    void imageViewChanged();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Frees the multisampled target and the image's textures while their context exists.
    void ReleaseGlObjects();
    int PixelWidth() const;
    int PixelHeight() const;
    void SetProjection();
    scene::ImageFrame CurrentImageFrame() const;
    void CentreImage();
    void ImageViewChanged();
    // Widget coordinates in device pixels.
    QPoint PixelPoint(const QPointF& position) const;
    void ImageDrag(const QPoint& position);
    bool ImageKey(QKeyEvent* event);
    void DrawImageMode();
    void DrawStartPicture();
    void PublishFrameRate();
    void OnRedrawTick();
    bool AnimationPlaying() const;

    CKestrelDoc& doc_;
    CTexture startPicture_;
    bool glReady_ = false;
    CMultisampleTarget multisample_;
    scene::CImageTextures imageTextures_; // the shown image, made once per change
    bool multisampleAvailable_ = false;
    bool lastFrameMultisampled_ = false;
    int glDepth_ = 0; // nesting of BeginGl

    bool leftDown_ = false, rightDown_ = false;
    // A drag is moving the camera: frames skip multisampling to keep up with the mouse, and
    // the frame after the drag is multisampled again.
    bool navigating_ = false;
    // The first frame of a model just opened skips multisampling, so the model shows sooner.
    bool quickFrame_ = false;
    QPoint lastLeft_, lastRight_;
    float leftPressTime_ = 0.0f;

    CTimer timer_;
    float lastPublished_ = -1.0f;

    QTimer redrawTimer_;
    bool redrawPaused_ = false;
    bool animating_ = false;
};

} // namespace kestrel::view
