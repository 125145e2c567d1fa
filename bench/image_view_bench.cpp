// One redraw of the image view at 1280 x 1024, off screen, as view mode 2 draws it: a
// 4096 x 4096 RGBA image over its alpha backdrop, fitted, at actual size and zoomed in,
// while zooming and scrolling change the view between frames. The view draws from the
// image's textures; the pixel drawing (printing, the command line) is measured beside it.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "headless_gl.h"
#include "image_drawing.h"
#include "image_navigation.h"
#include "image_textures.h"
#include "nimbus/texture.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;
constexpr uint32_t kImageSide = 4096;

const CTexture& LargeImage()
{
    static const CTexture image = [] {
        CTexture t;
        t.mWidth = t.mHeight = kImageSide;
        t.mBpp = 32;
        t.InitPixelData();
        for (size_t i = 0; i < t.mData.size(); ++i)
            t.mData[i] = uint8_t(i * 7 + (i >> 14));
        return t;
    }();
    return image;
}

const CTexture& Backdrop()
{
    static const CTexture backdrop = [] {
        CTexture b;
        kestrel::scene::BuildAlphaBackdrop(LargeImage(), b);
        return b;
    }();
    return backdrop;
}

bool PrepareContext(benchmark::State& state)
{
    std::string why;
    kestrel::offscreen::HeadlessGl* gl = kestrel::offscreen::HeadlessGl::Acquire(kWidth, kHeight, &why);
    if (!gl) {
        state.SkipWithError(why.c_str());
        return false;
    }
    gl->Resize(kWidth, kHeight);
    gl->MakeCurrent();
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, kWidth, 0, kHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glClearColor(1, 1, 1, 1);
    return true;
}

// range(0): 0 fitted, 1 actual size, 2 zoomed in to 3.0; each frame moves the view a little.
// range(1): 1 from the textures, as the view draws, 0 as pixels.
void BM_ImageViewRedraw(benchmark::State& state)
{
    if (!PrepareContext(state))
        return;
    const kestrel::scene::ImageFrame frame{kWidth, kHeight, int(kImageSide), int(kImageSide)};
    kestrel::scene::ImageView view;
    kestrel::scene::FitImageToWindow(view, frame);
    if (state.range(0) == 1)
        kestrel::scene::ShowImageActualSize(view, frame);
    else if (state.range(0) == 2)
        kestrel::scene::ZoomImageBy(view, 3.0f - view.zoom, frame);
    const float zoom = view.zoom;
    const bool textured = state.range(1) != 0;
    kestrel::scene::CImageTextures textures;
    if (textured && !textures.Prepare(LargeImage(), Backdrop(), 1)) {
        state.SkipWithError("the image cannot be a texture here");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        // Scrolling and a small zoom change, as a drag or the wheel gives between frames.
        kestrel::scene::ScrollImage(view, (step & 1) ? 3 : -3, 2);
        view.zoom = zoom * ((step & 2) ? 1.001f : 1.0f);
        ++step;
        glClear(GL_COLOR_BUFFER_BIT);
        if (textured)
            textures.Draw(view, true);
        else
            kestrel::scene::DrawImage(LargeImage(), Backdrop(), view, true);
        glFinish();
    }
    textures.Release();
}
BENCHMARK(BM_ImageViewRedraw)
    ->ArgsProduct({{0, 1, 2}, {1, 0}})
    ->ArgNames({"fit/actual/zoom3", "textures"})
    ->Unit(benchmark::kMillisecond);

} // namespace
