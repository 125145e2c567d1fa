#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "render_fixture.h"

using namespace kestrel::test;

namespace {

class PickAndHelpers : public RenderTest {
protected:
    // The name of the nearest hit under a pixel, or -1.
    int PickAt(CModel& model, int x, int y)
    {
        GLuint buffer[256];
        glSelectBuffer(256, buffer);
        glRenderMode(GL_SELECT);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        const GLint viewport[4] = {0, 0, kSize, kSize};
        gluPickMatrix(x, y, 3, 3, const_cast<GLint*>(viewport));
        glOrtho(-1.2, 1.2, -1.2, 1.2, -5, 5);
        glMatrixMode(GL_MODELVIEW);
        model.RenderPick();
        const GLint hits = glRenderMode(GL_RENDER);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        int best = -1;
        GLuint bestDepth = ~0u;
        const GLuint* p = buffer;
        for (GLint h = 0; h < hits; ++h) {
            const GLuint names = p[0], zMin = p[1];
            if (names > 0 && zMin <= bestDepth) {
                bestDepth = zMin;
                best = int(p[2 + names]);
            }
            p += 3 + names;
        }
        return best;
    }
};

TEST_F(PickAndHelpers, PickingReturnsTheNearestVisibleMesh)
{
    TestModel model;
    model.mMeshes = {Quad("far", -0.5f, -0.5f, 0.5f, 0.5f, -0.5f), Quad("near", -0.3f, -0.3f, 0.3f, 0.3f, 0.5f),
                     Quad("aside", 0.7f, 0.7f, 1.0f, 1.0f)};
    Finish(model);
    EXPECT_EQ(PickAt(model, 120, 120), 1);
    EXPECT_EQ(PickAt(model, 120 + 40, 120), 0);
    EXPECT_EQ(PickAt(model, 205, 205), 2);
    EXPECT_EQ(PickAt(model, 10, 10), -1);
    model.SetMeshFlag(1, SK_MESH_HIDDEN, true);
    EXPECT_EQ(PickAt(model, 120, 120), 0);
}

TEST_F(PickAndHelpers, SceneBoxIsDrawnOncePerSkinUpdate)
{
    TestModel model;
    model.mMeshes = {Quad("quad", Lo(), Lo(), Hi(), Hi())};
    Finish(model);
    const unsigned char blue[3] = {0, 0, 255};
    model.Render(0, nullptr);
    model.RenderBBox(2, blue);
    EXPECT_EQ(At(Centre(120), Lo()), Rgba(0, 0, 255));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);

    glClear(GL_COLOR_BUFFER_BIT);
    model.RenderBBox(2, blue);
    EXPECT_EQ(At(Centre(120), Lo()), Rgba(0, 0, 0));
}

TEST_F(PickAndHelpers, SceneBoxCornersAndFacesKeepTheCullingState)
{
    TestModel model;
    model.mMeshes = {Quad("quad", Lo(), Lo(), Hi(), Hi())};
    Finish(model);
    const unsigned char red[3] = {255, 0, 0};
    glDisable(GL_DEPTH_TEST);
    model.Render(0, nullptr);
    model.RenderBBox(1, red);
    EXPECT_EQ(At(Lo() + 0.15f, Lo()), Rgba(255, 0, 0)); // within a fifth of the edge
    EXPECT_EQ(At(Lo() + 0.3f, Lo()), Rgba(0, 0, 0));

    // A flat box has no faces to fill; a cube has.
    model.mMeshes = {Cube("cube", 0.5f)};
    Finish(model);
    glClear(GL_COLOR_BUFFER_BIT);
    model.Render(0, nullptr);
    model.RenderBBox(3, red);
    EXPECT_NEAR(Red(At(0, 0)), 64, 2);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
}

TEST_F(PickAndHelpers, NormalsOfHiddenMeshesAreStillDrawn)
{
    TestModel model;
    model.mMeshes = {Quad("quad", Lo(), Lo(), Hi(), Hi())};
    for (CNormal& n : model.mMeshes[0].mNormals)
        n = Normal(1, 0, 0);
    Finish(model);
    model.SetMeshFlag(0, SK_MESH_HIDDEN, true);
    glDisable(GL_DEPTH_TEST); // points sit on the lines' ends
    const unsigned char yellow[3] = {255, 255, 0}, cyan[3] = {0, 255, 255};
    model.RenderNormals(yellow, cyan, 0.2f, 1.0f);
    EXPECT_EQ(At(Lo() + 0.1f, Lo()), Rgba(0, 255, 255));
    EXPECT_EQ(At(Lo(), Lo()), Rgba(255, 255, 0));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    glDisable(GL_LIGHTING);
}

TEST_F(PickAndHelpers, SkeletonPointsAndBonesUseTheirColours)
{
    TestModel model;
    model.mJoints = {Joint("root", "", CVector3d(Lo(), Lo(), 0)), Joint("tip", "root", CVector3d(1.0f, 0, 0))};
    Finish(model);
    const unsigned char a[3] = {255, 0, 0}, b[3] = {0, 255, 0}, c[3] = {0, 0, 255};
    glDisable(GL_DEPTH_TEST);
    model.RenderSkeleton(1, a, b, c, 3.0f);
    EXPECT_EQ(At(Centre(120), Lo()), Rgba(0, 255, 0));   // the bone
    EXPECT_EQ(At(Lo(), Lo()), Rgba(0, 0, 255));          // the root, drawn last by the child
    EXPECT_EQ(At(Hi(), Lo()), Rgba(255, 0, 0));          // the child joint
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));

    glClear(GL_COLOR_BUFFER_BIT);
    model.RenderSkeleton(2, a, b, c, 3.0f);
    EXPECT_EQ(At(Hi(), Lo() + 0.03f), Rgba(0, 255, 0)); // the child's local y axis

    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    model.RenderSkeleton(3, a, b, c, 3.0f);
    // The wire bone runs from the parent to the child, widest at 0.3 / 6 of its length from the base.
    EXPECT_GT(CountPixels(Rgba(0, 255, 0)), 150);
    EXPECT_EQ(At(Centre(120), Lo()), Rgba(0, 0, 0));

    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_LIGHT0);
    model.RenderSkeleton(4, a, b, c, 3.0f);
    EXPECT_GT(Green(At(Centre(120), Lo() + 0.02f)), 50);
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    GLint polygonMode[2];
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(polygonMode[0], GL_FILL);
}

} // namespace
