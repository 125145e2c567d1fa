#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::offscreen {

struct EglLibrary;

// One off-screen OpenGL compatibility context on Mesa's surfaceless EGL platform,
// drawing into a framebuffer object. The EGL display is shared by the whole process.
class HeadlessGl {
public:
    // Creates (once) and makes current the process-wide context with a width x height target.
    // Returns null with a reason in *error when no context can be had.
    static HeadlessGl* Acquire(int width, int height, std::string* error = nullptr);

    void MakeCurrent();
    // Leaves the thread with no current context of ours, if one was ever made.
    static void ReleaseCurrent();
    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // RGBA pixels of the framebuffer, top row first.
    std::vector<uint8_t> ReadPixels() const;
    // One RGBA pixel, x from the left and y from the top.
    uint32_t PixelAt(int x, int y) const;

private:
    HeadlessGl() = default;
    static HeadlessGl* instance_;
    bool Create(std::string* error);
    void CreateTarget();
    void DestroyTarget();

    const EglLibrary* egl_ = nullptr;
    void* display_ = nullptr;
    void* context_ = nullptr;
    unsigned fbo_ = 0, colour_ = 0, depth_ = 0;
    int width_ = 0, height_ = 0;
};

// Packs red, green, blue and alpha as PixelAt returns them.
constexpr uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
{
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16) | (uint32_t(a) << 24);
}

} // namespace kestrel::offscreen
