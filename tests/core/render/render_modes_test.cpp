#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>

#include "render_fixture.h"

using namespace kestrel::test;

namespace {

const unsigned char kGreen[3] = {0, 255, 0};
const uint32_t kOrange = Rgba(255, 127, 0);

class RenderModes : public RenderTest {
protected:
    void Build(bool selected)
    {
        model.mMeshes = {Quad("quad", Lo(), Lo(), Hi(), Hi())};
        Finish(model);
        model.SetMeshFlag(0, SK_MESH_SELECTED, selected);
    }
    TestModel model;
};

TEST_F(RenderModes, VerticesAreDrawnAsPointsRedWhenSelected)
{
    Build(false);
    model.Render(4, kGreen);
    EXPECT_EQ(At(Lo(), Lo()), Rgba(0, 255, 0));
    EXPECT_EQ(At(Hi(), Hi()), Rgba(0, 255, 0));
    EXPECT_EQ(At(Centre(120), Lo()), Rgba(0, 0, 0)); // no edges
    EXPECT_EQ(At(Lo() + 0.1f, Lo()), Rgba(0, 0, 0));  // no selection box

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    model.SetMeshFlag(0, SK_MESH_SELECTED, true);
    model.Render(4, kGreen);
    EXPECT_EQ(At(Hi(), Lo()), Rgba(255, 0, 0));
    EXPECT_EQ(At(Lo() + 0.1f, Lo()), kOrange);
    EXPECT_EQ(At(Centre(120), Lo()), Rgba(0, 0, 0)); // brackets reach a third of the way
}

TEST_F(RenderModes, WireframeHidesEdgesWhoseFlagIsClear)
{
    Build(false);
    model.Render(6, kGreen);
    EXPECT_EQ(At(Centre(120), Lo()), Rgba(0, 255, 0));
    EXPECT_EQ(At(Hi(), Centre(120)), Rgba(0, 255, 0));
    EXPECT_EQ(At(Centre(120), Centre(120)), Rgba(0, 0, 0)); // the diagonal

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    model.mMeshes[0].mTriangles[0].mEdgeFlags[2] = 1;
    ASSERT_TRUE(model.Finalize(false, false, 1.0f));
    model.SetMeshFlag(0, SK_MESH_SELECTED, true);
    glDisable(GL_DEPTH_TEST); // the brackets lie on the edges
    model.Render(6, kGreen);
    EXPECT_EQ(At(Centre(120), Centre(120)), Rgba(255, 0, 0));
    EXPECT_EQ(At(Lo() + 0.1f, Lo()), kOrange);
}

TEST_F(RenderModes, TriangleWithoutEdgeFlagsDrawsNothingInWireframe)
{
    Build(false);
    for (CTriangle& t : model.mMeshes[0].mTriangles)
        t.mEdgeFlags[0] = t.mEdgeFlags[1] = t.mEdgeFlags[2] = 0;
    ASSERT_TRUE(model.Finalize(false, false, 1.0f));
    model.Render(6, kGreen);
    EXPECT_EQ(CountPixels(Rgba(0, 255, 0)), 0);
}

TEST_F(RenderModes, ShadedWireframeAlsoHonoursEdgeFlags)
{
    Build(false);
    glEnable(GL_LIGHT0);
    model.Render(7, nullptr);
    EXPECT_GT(Green(At(Centre(120), Lo())), 100);
    EXPECT_EQ(At(Centre(120), Centre(120)), Rgba(0, 0, 0));
    glDisable(GL_LIGHT0);
}

TEST_F(RenderModes, HiddenMeshIsNotDrawnAndGetsNoBox)
{
    Build(true);
    model.SetMeshFlag(0, SK_MESH_HIDDEN, true);
    for (unsigned char mode : {0, 1, 4, 6, 9, 10})
        model.Render(mode, kGreen);
    model.Render();
    EXPECT_EQ(CountPixels(Rgba(0, 0, 0)), kSize * kSize);
}

TEST_F(RenderModes, BoundingBoxModeOutlinesEachMeshAndOnlyBracketsTheSelected)
{
    Build(false);
    model.Render(1, kGreen);
    EXPECT_EQ(At(Centre(120), Lo()), Rgba(0, 255, 0));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    model.SetMeshFlag(0, SK_MESH_SELECTED, true);
    model.Render(1, kGreen);
    EXPECT_EQ(At(Centre(120), Lo()), Rgba(0, 0, 0));
    EXPECT_EQ(At(Lo() + 0.1f, Lo()), kOrange);
}

TEST_F(RenderModes, ModeZeroDrawsOnlyTheSelectionBox)
{
    Build(true);
    model.Render(0, kGreen);
    EXPECT_EQ(At(Lo() + 0.1f, Lo()), kOrange);
    EXPECT_EQ(CountPixels(Rgba(0, 255, 0)), 0);
}

TEST_F(RenderModes, SolidAndLitModesGlowRedWhenSelected)
{
    Build(false);
    // A dull green default material, so that red can only come from the selection.
    CMaterial& m = model.mDefaultMaterial;
    const float green[4] = {0, 0.6f, 0, 1}, none[4] = {0, 0, 0, 1};
    std::copy(green, green + 4, m.mDiffuse);
    std::copy(none, none + 4, m.mSpecular);
    std::copy(none, none + 4, m.mAmbient);
    glEnable(GL_LIGHT0);
    const auto draw = [&](int mode) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (mode < 0) {
            model.Render();
            EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
            glDisable(GL_LIGHTING);
        } else {
            model.Render((unsigned char)mode, nullptr);
            EXPECT_FALSE(glIsEnabled(GL_LIGHTING)); // attributes restored
        }
        return At(Centre(120), Centre(100));
    };
    for (int mode : {-1, 8, 9}) {
        model.SetMeshFlag(0, SK_MESH_SELECTED, false);
        const uint32_t plain = draw(mode);
        EXPECT_EQ(Red(plain), 0) << mode;
        EXPECT_NEAR(Green(plain), 153, 2) << mode;
        model.SetMeshFlag(0, SK_MESH_SELECTED, true);
        const uint32_t selected = draw(mode);
        EXPECT_EQ(Red(selected), 255) << mode;
        EXPECT_EQ(Green(selected), Green(plain)) << mode;
    }
    glDisable(GL_LIGHT0);
}

TEST_F(RenderModes, SolidRenderLeavesLightingOnAndCullingAsFound)
{
    Build(false);
    glEnable(GL_CULL_FACE);
    model.mMaterials.resize(1);
    model.mMeshes[0].mBatches[0].mMaterial = 0; // single-sided material
    model.Render();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    glDisable(GL_CULL_FACE);
    model.Render();
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    glDisable(GL_LIGHTING);
}

TEST_F(RenderModes, OutOfRangeIndicesAreNeverFollowed)
{
    Build(false);
    CMesh& mesh = model.mMeshes[0];
    mesh.mTriangles[1].mVertices[2] = 99; // this triangle is left out
    mesh.mTriangles[0].mNormals[1] = -5;
    mesh.mBatches[0].mMaterial = 3;
    mesh.mBatches[0].mTriangles.push_back(42);
    mesh.mVertices[0].mWeights = BoundVertex(0, 0, 0, {{9, 1.0f}}).mWeights;
    model.mJoints = {Joint("only", "", CVector3d())};
    ASSERT_TRUE(model.Finalize(false, false, 1.0f));
    for (unsigned char mode = 0; mode <= 12; ++mode)
        model.Render(mode, kGreen);
    model.Render();
    model.RenderNormals(nullptr, nullptr, 0.1f, 1);
    glDisable(GL_LIGHTING);
}

} // namespace
