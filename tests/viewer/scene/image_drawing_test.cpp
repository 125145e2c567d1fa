#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "headless_gl.h"
#include "image_drawing.h"
#include "nimbus/texture.h"

namespace {

using kestrel::offscreen::Rgba;

constexpr int kWindowWidth = 100, kWindowHeight = 80;

// Each pixel's red is its column and green its row, so any misplaced pixel shows.
CTexture Numbered(uint32_t width, uint32_t height)
{
    CTexture t;
    t.mWidth = width;
    t.mHeight = height;
    t.mBpp = 24;
    t.InitPixelData();
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* p = t.mData.data() + (size_t(y) * width + x) * 3;
            p[0] = uint8_t(x);
            p[1] = uint8_t(y);
            p[2] = 200;
        }
    return t;
}

// Window pixel -> image pixel, as a zoomed drawing of the whole image would place it.
TEST(ImageDrawing, OnlyTheVisiblePartIsDrawnAndItLandsWhereTheWholeImageWould)
{
    std::string why;
    kestrel::test::HeadlessGl* gl = kestrel::test::HeadlessGl::Acquire(kWindowWidth, kWindowHeight, &why);
    ASSERT_NE(gl, nullptr) << why;
    gl->Resize(kWindowWidth, kWindowHeight);
    gl->MakeCurrent();
    glViewport(0, 0, kWindowWidth, kWindowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, kWindowWidth, 0, kWindowHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);

    const CTexture image = Numbered(64, 48);
    struct Case {
        int x, y, zoom;
    };
    // Inside, cut on the left and below, cut on every side, and wholly outside.
    for (const Case c : {Case{10, 5, 1}, Case{-50, -20, 3}, Case{-7, -9, 2}, Case{-400, 0, 2}}) {
        kestrel::scene::ImageView view;
        view.zoom = float(c.zoom);
        view.fitX = c.x;
        view.scrollY = c.y;
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        kestrel::scene::DrawImage(image, CTexture(), view, false);
        glFinish();
        int wrong = 0;
        for (int py = 0; py < kWindowHeight; ++py)
            for (int px = 0; px < kWindowWidth; ++px) {
                const int u = px - c.x >= 0 ? (px - c.x) / c.zoom : -1;
                const int v = py - c.y >= 0 ? (py - c.y) / c.zoom : -1;
                const bool inside = u >= 0 && v >= 0 && u < 64 && v < 48;
                const uint32_t expected = inside ? Rgba(uint8_t(u), uint8_t(v), 200) : Rgba(255, 255, 255);
                wrong += gl->PixelAt(px, kWindowHeight - 1 - py) != expected;
            }
        EXPECT_EQ(wrong, 0) << "image at (" << c.x << ", " << c.y << ") zoom " << c.zoom;
    }
}

} // namespace
