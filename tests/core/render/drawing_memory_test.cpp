#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "allocation_probe.h"
#include "render_fixture.h"

using namespace kestrel::test;

namespace {

// A wavy grid of n x n quads, two triangles each, one normal per vertex.
CMesh Grid(int n)
{
    CMesh m;
    const int side = n + 1;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const float px = float(x) / n * 2 - 1, py = float(y) / n * 2 - 1;
            m.mVertices.push_back(RigidVertex(px, py, 0.1f * std::sin(px * 7)));
            CVector3d d(0.3f * std::cos(px * 7), 0.2f, 1.0f);
            d.Normalize();
            m.mNormals.push_back(Normal(d.x, d.y, d.z));
        }
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int a = y * side + x, b = a + 1, c = a + side + 1, d = a + side;
            m.mTriangles.push_back(Triangle(a, b, c));
            m.mTriangles.push_back(Triangle(a, c, d));
        }
    m.BuildMaterialBatches();
    return m;
}

class DrawingMemory : public RenderTest {
protected:
    std::vector<uint8_t> Drawn(TestModel& model, unsigned char mode)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_LIGHT0);
        if (mode == 0)
            model.Render();
        else
            model.Render(mode, nullptr);
        glDisable(GL_LIGHT0);
        return gl_->ReadPixels();
    }
};

// Made ahead of the first solid frame (on the reading thread), the solid mode's arrays are
// the indexed ones only: one index per corner and one record per shared corner, not the
// per-corner arrays the other modes draw from.
TEST_F(DrawingMemory, TheSolidModeMakesOnlyItsIndexedArrays)
{
    TestModel model;
    model.mMeshes = {Grid(200)};
    Finish(model);
    const size_t triangles = model.mMeshes[0].mTriangles.size();
    size_t peak = 0;
    {
        AllocationProbe probe;
        model.PrepareDrawing(true);
        peak = probe.Peak();
    }
    // Three 4-byte indices per triangle and about half a shared corner of 32 bytes, with room
    // for the growth of the lists; the corner arrays alone would add 72 bytes a triangle.
    EXPECT_LT(peak, triangles * 40);
}

// A mode drawn after the solid one makes the corner arrays then, and draws what a model that
// never drew solid draws.
TEST_F(DrawingMemory, AModeAfterTheSolidOneDrawsAsOnAFreshModel)
{
    TestModel solidFirst, fresh;
    solidFirst.mMeshes = {Grid(30)};
    fresh.mMeshes = {Grid(30)};
    Finish(solidFirst);
    Finish(fresh);
    glRotatef(-40, 1, 0, 0);
    Drawn(solidFirst, 0);
    for (unsigned char mode : {9, 6, 5})
        EXPECT_EQ(Drawn(solidFirst, mode), Drawn(fresh, mode)) << int(mode);
}

} // namespace
