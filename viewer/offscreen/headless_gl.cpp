#include "headless_gl.h"
#include "egl_library.h"

#define GL_GLEXT_PROTOTYPES
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <algorithm>
#include <cstddef>
#include <cstring>

namespace kestrel::offscreen {
namespace {

EGLDisplay OpenDisplay(const EglLibrary& egl, std::string* error)
{
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(egl.getProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) {
        if (error)
            *error = "eglGetPlatformDisplayEXT is missing";
        return EGL_NO_DISPLAY;
    }
    const char* ext = egl.queryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (ext && std::strstr(ext, "EGL_MESA_platform_surfaceless")) {
        EGLDisplay d = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (d != EGL_NO_DISPLAY)
            return d;
    }
    // Other drivers offer a device platform instead.
    auto queryDevices = reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(egl.getProcAddress("eglQueryDevicesEXT"));
    if (queryDevices) {
        EGLDeviceEXT devices[8];
        EGLint count = 0;
        if (queryDevices(8, devices, &count) && count > 0)
            return getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, devices[0], nullptr);
    }
    if (error)
        *error = "no surfaceless or device EGL platform";
    return EGL_NO_DISPLAY;
}

} // namespace

HeadlessGl* HeadlessGl::instance_ = nullptr;

HeadlessGl* HeadlessGl::Acquire(int width, int height, std::string* error)
{
    HeadlessGl*& instance = instance_;
    static bool failed = false;
    static std::string failure;
    if (failed) {
        if (error)
            *error = failure;
        return nullptr;
    }
    if (!instance) {
        auto* created = new HeadlessGl();
        created->width_ = width;
        created->height_ = height;
        if (!created->Create(&failure)) {
            failed = true;
            delete created;
            if (error)
                *error = failure;
            return nullptr;
        }
        instance = created;
    }
    instance->MakeCurrent();
    if (instance->width_ != width || instance->height_ != height)
        instance->Resize(width, height);
    return instance;
}

bool HeadlessGl::Create(std::string* error)
{
    const EglLibrary* egl = LoadEglLibrary(error);
    if (!egl)
        return false;
    EGLDisplay display = OpenDisplay(*egl, error);
    if (display == EGL_NO_DISPLAY)
        return false;
    EGLint major = 0, minor = 0;
    if (!egl->initialize(display, &major, &minor)) {
        *error = "eglInitialize failed";
        return false;
    }
    egl->bindApi(EGL_OPENGL_API);
    const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                    EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                    EGL_DEPTH_SIZE, 24, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!egl->chooseConfig(display, configAttribs, &config, 1, &count) || count < 1) {
        *error = "no EGL config for desktop OpenGL";
        return false;
    }
    // Asking for 2.1 gives a compatibility profile, where the fixed-function calls work.
    const EGLint contextAttribs[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1, EGL_NONE};
    EGLContext context = egl->createContext(display, config, EGL_NO_CONTEXT, contextAttribs);
    if (context == EGL_NO_CONTEXT) {
        *error = "eglCreateContext failed";
        return false;
    }
    egl_ = egl;
    display_ = display;
    context_ = context;
    MakeCurrent();
    CreateTarget();
    return true;
}

void HeadlessGl::MakeCurrent()
{
    egl_->bindApi(EGL_OPENGL_API);
    egl_->makeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_);
    if (fbo_)
        glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glViewport(0, 0, width_, height_);
}

void HeadlessGl::ReleaseCurrent()
{
    if (instance_)
        instance_->egl_->makeCurrent(instance_->display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

void HeadlessGl::CreateTarget()
{
    glGenFramebuffers(1, &fbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width_, height_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    glViewport(0, 0, width_, height_);
}

void HeadlessGl::DestroyTarget()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &colour_);
    glDeleteRenderbuffers(1, &depth_);
    glDeleteFramebuffers(1, &fbo_);
    fbo_ = colour_ = depth_ = 0;
}

void HeadlessGl::Resize(int width, int height)
{
    DestroyTarget();
    width_ = width;
    height_ = height;
    CreateTarget();
}

std::vector<uint8_t> HeadlessGl::ReadPixels() const
{
    std::vector<uint8_t> pixels(size_t(width_) * height_ * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // GL rows come bottom first.
    const size_t stride = size_t(width_) * 4;
    for (int y = 0; y < height_ / 2; ++y)
        std::swap_ranges(pixels.begin() + std::ptrdiff_t(y * stride), pixels.begin() + std::ptrdiff_t((y + 1) * stride),
                         pixels.begin() + std::ptrdiff_t((height_ - 1 - y) * stride));
    return pixels;
}

uint32_t HeadlessGl::PixelAt(int x, int y) const
{
    uint8_t p[4] = {};
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, height_ - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return Rgba(p[0], p[1], p[2], p[3]);
}

} // namespace kestrel::offscreen
