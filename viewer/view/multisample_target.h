#pragma once
#include <memory>

class QOpenGLFramebufferObject;

namespace kestrel::view {

// A multisampled off-screen target the 3D scene is drawn into and then resolved onto the
// view's own buffer. The view's buffer itself never multisamples, so switching antialiasing
// takes effect on the next frame, and costs nothing while it is off.
class CMultisampleTarget {
public:
    static constexpr int kWantedSamples = 4;

    CMultisampleTarget();
    ~CMultisampleTarget();
    CMultisampleTarget(const CMultisampleTarget&) = delete;
    CMultisampleTarget& operator=(const CMultisampleTarget&) = delete;

    // Whether the current context can multisample off screen; asked once per context.
    bool Available();
    // Makes the target current, width x height pixels; false when it cannot be had.
    bool Bind(int width, int height);
    // Copies the resolved picture into the framebuffer object `target` and binds that again.
    void ResolveInto(unsigned target);
    // Frees the target; call with the owning context current.
    void Release();

private:
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
    int samples_ = -1; // -1: not asked yet
};

} // namespace kestrel::view
