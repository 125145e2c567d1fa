#pragma once
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstdint>
#include <string>
#include <vector>

#include "headless_gl.h"
#include "nimbus/timer.h"

namespace kestrel::test {

// The shared off-screen context, kWidth x kHeight, cleared to a background colour, with time
// on the manual clock (set before any console is made, so that its timer starts at 0).
class ConsoleGlTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 220;
    static constexpr int kHeight = 400;

    void SetUp() override
    {
        CTimer::SetManualClock(true);
        std::string why;
        gl_ = HeadlessGl::Acquire(kWidth, kHeight, &why);
        ASSERT_NE(gl_, nullptr) << why;
        gl_->Resize(kWidth, kHeight);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        Clear(0, 0, 0);
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    void TearDown() override
    {
        CTimer::SetManualClock(false);
        if (!gl_)
            return;
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        glPopAttrib();
    }

    static void Clear(float r, float g, float b)
    {
        glClearColor(r, g, b, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // The pixel at x and at y rows up from the bottom of a panel `height` rows high.
    uint32_t PanelPixel(int x, int y, int height) const { return gl_->PixelAt(x, height - 1 - y); }

    // Pixels of a panel rectangle [x0, x1) x [y0, y1) darker than `limit` in red.
    int DarkPixels(int x0, int x1, int y0, int y1, int height, uint8_t limit = 80) const
    {
        const std::vector<uint8_t> all = gl_->ReadPixels();
        int dark = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                dark += all[(size_t(height - 1 - y) * kWidth + size_t(x)) * 4] < limit;
        return dark;
    }

    static uint8_t Red(uint32_t p) { return uint8_t(p); }
    static uint8_t Green(uint32_t p) { return uint8_t(p >> 8); }
    static uint8_t Blue(uint32_t p) { return uint8_t(p >> 16); }

    HeadlessGl* gl_ = nullptr;
};

} // namespace kestrel::test
