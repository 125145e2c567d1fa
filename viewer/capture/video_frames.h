#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class QOpenGLFramebufferObject;

namespace kestrel::view {
class CKestrelDoc;
class CKestrelView;
}

namespace kestrel::capture {

// Draws the document's 3D scene as the view does, at a size of its own, in the view's
// context (so the model's textures are the ones already made), and reads each frame back
// as blue-green-red rows, bottom row first.
class CVideoFrames {
public:
    CVideoFrames(view::CKestrelView& view, view::CKestrelDoc& doc, int width, int height);
    ~CVideoFrames();
    bool Valid() const { return valid_; }
    // The scene at the model's current animation time; false when it could not be drawn.
    bool Draw(std::vector<uint8_t>& bgr);

private:
    view::CKestrelView& view_;
    view::CKestrelDoc& doc_;
    int width_, height_;
    bool valid_ = false;
    std::unique_ptr<QOpenGLFramebufferObject> target_;
};

} // namespace kestrel::capture
