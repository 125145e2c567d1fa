#pragma once
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstdint>
#include <string>

#include "headless_gl.h"

namespace kestrel::test {

// Draws into the shared off-screen context with a clean state: black background,
// orthographic view of [-1.2, 1.2] on both axes at 100 pixels per unit, looking down -z.
class GlSceneTest : public ::testing::Test {
protected:
    static constexpr int kSize = 240;

    void SetUp() override
    {
        std::string why;
        gl_ = HeadlessGl::Acquire(kSize, kSize, &why);
        ASSERT_NE(gl_, nullptr) << why;
        gl_->Resize(kSize, kSize);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_TEXTURE_1D);
        glDisable(GL_BLEND);
        glViewport(0, 0, kSize, kSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1.2, 1.2, -1.2, 1.2, -5, 5);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    void TearDown() override
    {
        if (!gl_)
            return;
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        glPopAttrib();
    }

    // The pixel under a scene point of the orthographic view.
    uint32_t At(float x, float y) const
    {
        return gl_->PixelAt(int((x + 1.2f) * 100.0f), int((1.2f - y) * 100.0f));
    }
    // A coordinate in the middle of pixel column / row i.
    static float Centre(int i) { return -1.2f + (float(i) + 0.5f) / 100.0f; }

    static uint8_t Red(uint32_t p) { return uint8_t(p); }
    static uint8_t Green(uint32_t p) { return uint8_t(p >> 8); }
    static uint8_t Blue(uint32_t p) { return uint8_t(p >> 16); }

    HeadlessGl* gl_ = nullptr;
};

} // namespace kestrel::test
