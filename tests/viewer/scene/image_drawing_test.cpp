#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "headless_gl.h"
#include "image_drawing.h"
#include "image_textures.h"
#include "nimbus/texture.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

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

// The off-screen context with a projection in window pixels, as view mode 2 has.
kestrel::test::HeadlessGl* WindowPixels()
{
    std::string why;
    kestrel::test::HeadlessGl* gl = kestrel::test::HeadlessGl::Acquire(kWindowWidth, kWindowHeight, &why);
    if (!gl) {
        ADD_FAILURE() << why;
        return nullptr;
    }
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
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return gl;
}

std::vector<uint8_t> Drawn(const std::function<void()>& draw)
{
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    draw();
    glFinish();
    return kestrel::test::HeadlessGl::Acquire(kWindowWidth, kWindowHeight)->ReadPixels();
}

// Window pixel -> image pixel, as a zoomed drawing of the whole image would place it.
TEST(ImageDrawing, OnlyTheVisiblePartIsDrawnAndItLandsWhereTheWholeImageWould)
{
    kestrel::test::HeadlessGl* gl = WindowPixels();
    ASSERT_NE(gl, nullptr);
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

// Kept as textures, the image shows as its pixel drawing does: each window pixel takes the
// image pixel under its centre, at any position and zoom, and a 32-bit image blends over
// its backdrop as the pixel drawing blends it.
TEST(ImageDrawing, TheTexturesOfAnImageShowItAsThePixelDrawingDoes)
{
    kestrel::test::HeadlessGl* gl = WindowPixels();
    ASSERT_NE(gl, nullptr);
    const CTexture image = Numbered(64, 48);
    kestrel::scene::CImageTextures textures;
    ASSERT_TRUE(textures.Prepare(image, CTexture(), 1));
    struct Case {
        int x, y;
        float zoom;
    };
    for (const Case c : {Case{10, 5, 1.0f}, Case{-50, -20, 3.0f}, Case{3, 2, 0.5f}, Case{-7, 9, 1.37f}}) {
        kestrel::scene::ImageView view;
        view.zoom = c.zoom;
        view.fitX = c.x;
        view.fitY = c.y;
        Drawn([&] { textures.Draw(view, false); });
        int wrong = 0;
        for (int py = 0; py < kWindowHeight; ++py)
            for (int px = 0; px < kWindowWidth; ++px) {
                const double fu = (px + 0.5 - c.x) / c.zoom, fv = (py + 0.5 - c.y) / c.zoom;
                // A centre right on the edge between two image pixels may take either.
                const auto onEdge = [](double f) { return std::abs(f - std::round(f)) < 1e-3; };
                if (onEdge(fu) || onEdge(fv))
                    continue;
                const double u = std::floor(fu), v = std::floor(fv);
                const bool inside = u >= 0 && v >= 0 && u < 64 && v < 48;
                const uint32_t expected = inside ? Rgba(uint8_t(u), uint8_t(v), 200) : Rgba(255, 255, 255);
                wrong += gl->PixelAt(px, kWindowHeight - 1 - py) != expected;
            }
        EXPECT_EQ(wrong, 0) << "image at (" << c.x << ", " << c.y << ") zoom " << c.zoom;
    }
    // The same image as pixels, where both ways must agree to the pixel.
    kestrel::scene::ImageView at;
    at.fitX = 10;
    at.fitY = 5;
    const auto viaPixels = Drawn([&] { kestrel::scene::DrawImage(image, CTexture(), at, false); });
    EXPECT_EQ(Drawn([&] { textures.Draw(at, false); }), viaPixels);
    // A new serial makes the textures again; the old ones go.
    EXPECT_TRUE(textures.Prepare(image, CTexture(), 2));
    textures.Release();

    CTexture alpha;
    alpha.mWidth = 37;
    alpha.mHeight = 29;
    alpha.mBpp = 32;
    alpha.InitPixelData();
    for (size_t i = 0; i < alpha.mData.size(); i += 4) {
        alpha.mData[i] = uint8_t(i);
        alpha.mData[i + 3] = uint8_t((i / 4) % 3 == 0 ? 0 : ((i / 4) % 3 == 1 ? 128 : 255));
    }
    CTexture backdrop;
    kestrel::scene::BuildAlphaBackdrop(alpha, backdrop);
    ASSERT_TRUE(textures.Prepare(alpha, backdrop, 3));
    EXPECT_TRUE(textures.HasBackdrop());
    const auto blended = Drawn([&] { kestrel::scene::DrawImage(alpha, backdrop, at, true); });
    const auto textured = Drawn([&] { textures.Draw(at, true); });
    size_t off = 0;
    for (size_t i = 0; i < blended.size(); ++i)
        off += std::abs(int(blended[i]) - int(textured[i])) > 1;
    EXPECT_EQ(off, 0u);
    textures.Release();
}

} // namespace
