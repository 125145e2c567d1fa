#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstring>
#include <string>

#include "gl_scene_fixture.h"
#include "nimbus/camera.h"
#include "nimbus/scene_draw.h"
#include "nimbus/timer.h"

using kestrel::test::GlSceneTest;
using kestrel::test::Rgba;

namespace {

class SceneDraw : public GlSceneTest {};

TEST_F(SceneDraw, PerspectiveWithZeroHeightUsesTheWidthAsAspect)
{
    skfReshapeViewport(640, 0, false, 45);
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[0], p[5] / 640.0f, 1e-6);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    skfReshapeViewport(200, 100, true, 45);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[0], 2.0f / 200.0f, 1e-7);
    EXPECT_NEAR(p[12], -1.0f, 1e-6);
}

TEST_F(SceneDraw, ExtensionsMatchWholeNamesOnly)
{
    const std::string list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const std::string first = list.substr(0, list.find(' '));
    ASSERT_GT(first.size(), 3u);
    EXPECT_TRUE(skfIsGLExtension(first.c_str()));
    EXPECT_FALSE(skfIsGLExtension(first.substr(0, first.size() - 1).c_str()));
    EXPECT_FALSE(skfIsGLExtension(""));
    EXPECT_FALSE(skfIsGLExtension(nullptr));
}

TEST_F(SceneDraw, AxesAreRedGreenAndBlue)
{
    skfRenderAxes(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(At(-0.35f, -0.95f), Rgba(255, 0, 0));   // x arrowhead
    EXPECT_EQ(At(-1.0f, -0.30f), Rgba(0, 255, 0));    // y arrowhead
    EXPECT_EQ(At(-0.985f, -0.935f), Rgba(0, 0, 255)); // z arrowhead, seen end on
    EXPECT_EQ(At(0.5f, 0.5f), Rgba(0, 0, 0));
}

TEST_F(SceneDraw, AxesMoveToAGivenOrigin)
{
    const float origin[3] = {0.2f, 0.0f, 0.0f};
    const unsigned char white[3] = {255, 255, 255};
    skfRenderAxes(origin, white, nullptr, nullptr);
    // Base (-0.1, 0.03): the x arrowhead lies around x = 0.55.
    EXPECT_EQ(At(0.55f, 0.03f), Rgba(255, 255, 255));
    EXPECT_EQ(At(-0.35f, -0.95f), Rgba(0, 0, 0));
}

// Looking straight down on the floor: world x to the right, world z downwards.
void LookDown()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-5, 5, -5, 5, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(90, 1, 0, 0);
}

TEST_F(SceneDraw, CheckerGridAlternatesLikeAChessboard)
{
    LookDown();
    const unsigned char a[3] = {200, 0, 0}, b[3] = {0, 0, 200};
    skfRenderGrid(2, a, b, 0, 10, 1.0f);
    const auto cell = [&](int row, int col) { return gl_->PixelAt(col * 24 + 12, row * 24 + 12); };
    EXPECT_EQ(cell(0, 0), Rgba(200, 0, 0));
    EXPECT_EQ(cell(0, 1), Rgba(0, 0, 200));
    EXPECT_EQ(cell(1, 0), Rgba(0, 0, 200));
    EXPECT_EQ(cell(1, 1), Rgba(200, 0, 0));
    EXPECT_EQ(cell(9, 9), Rgba(200, 0, 0));
}

TEST_F(SceneDraw, OddCellCountGivesStripes)
{
    LookDown();
    skfRenderGrid(2, nullptr, nullptr, 0, 5, 2.0f);
    const auto cell = [&](int row, int col) { return gl_->PixelAt(col * 48 + 24, row * 48 + 24); };
    EXPECT_EQ(cell(0, 0), Rgba(255, 255, 255));
    EXPECT_EQ(cell(0, 1), Rgba(127, 127, 127));
    EXPECT_EQ(cell(1, 0), Rgba(255, 255, 255));
    EXPECT_EQ(cell(1, 1), Rgba(127, 127, 127));
}

TEST_F(SceneDraw, TransparentGridBlendsAndKeepsDepthWrites)
{
    LookDown();
    const unsigned char a[3] = {255, 255, 255};
    skfRenderGrid(3, a, a, 0, 10, 1.0f);
    EXPECT_NEAR(Red(gl_->PixelAt(120, 120)), 85, 1);
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}

TEST_F(SceneDraw, LineGridDrawsItsLinesOnThePlane)
{
    LookDown();
    skfRenderGrid(1, nullptr, nullptr, 0, 10, 1.0f);
    int lit = 0;
    for (int x = 0; x < kSize; ++x)
        lit += gl_->PixelAt(x, 30) == Rgba(255, 255, 255);
    EXPECT_GE(lit, 10); // crossings with the lines along z
    EXPECT_LT(lit, 40);
}

TEST_F(SceneDraw, BoxModesDrawCornersEdgesAndFaces)
{
    const float max[3] = {Centre(170), Centre(170), 0.5f}, min[3] = {Centre(70), Centre(70), -0.5f};
    const unsigned char red[3] = {255, 0, 0};
    const float midX = Centre(120);

    skfRenderBBox(max, min, 1, red, 0.2f);
    EXPECT_EQ(gl_->PixelAt(75, kSize - 1 - 70), Rgba(255, 0, 0)); // near a corner
    EXPECT_EQ(At(midX, min[1]), Rgba(0, 0, 0));                   // middle of an edge

    glClear(GL_COLOR_BUFFER_BIT);
    skfRenderBBox(max, min, 2, red, 0.2f);
    EXPECT_EQ(At(midX, min[1]), Rgba(255, 0, 0));
    EXPECT_EQ(At(midX, midX), Rgba(0, 0, 0));

    glClear(GL_COLOR_BUFFER_BIT);
    skfRenderBBox(max, min, 3, red, 0.2f);
    EXPECT_NEAR(Red(At(midX, midX)), 64, 2);
    EXPECT_FALSE(glIsEnabled(GL_BLEND)); // attributes restored
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}

TEST(FrameRate, CountsFramesOverASecond)
{
    CTimer::SetManualClock(true);
    skfGetFPS();
    CTimer::AdvanceManualClock(2.0);
    skfGetFPS(); // closes any earlier measurement
    for (int i = 0; i < 30; ++i) {
        CTimer::AdvanceManualClock(0.03);
        skfGetFPS();
    }
    CTimer::AdvanceManualClock(0.2);
    const float fps = skfGetFPS();
    CTimer::SetManualClock(false);
    EXPECT_FLOAT_EQ(fps, 31.0f);
}

} // namespace
