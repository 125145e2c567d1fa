#pragma once
#include <GL/gl.h>

#include <cmath>

#include "gl_scene_fixture.h"
#include "model_fixtures.h"

namespace kestrel::test {

// The view of GlSceneTest (x right, y up, 100 pixels per unit) with depth testing.
class RenderTest : public GlSceneTest {
protected:
    void SetUp() override
    {
        GlSceneTest::SetUp();
        if (HasFatalFailure())
            return;
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }

    // Finalizes without moving or scaling, so scene coordinates are pixel positions.
    static void Finish(TestModel& model) { ASSERT_TRUE(model.Finalize(false, false, 1.0f)); }

    // Coordinates of pixel centres 70 and 170: a 100-pixel square in the middle.
    static float Lo() { return Centre(70); }
    static float Hi() { return Centre(170); }

    int CountPixels(uint32_t colour, int x0 = 0, int y0 = 0, int x1 = kSize, int y1 = kSize) const
    {
        const std::vector<uint8_t> px = gl_->ReadPixels();
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const uint8_t* p = &px[(size_t(y) * kSize + x) * 4];
                n += Rgba(p[0], p[1], p[2], p[3]) == colour;
            }
        return n;
    }
};

// A closed cube of side 2h around the origin: 24 corners, outward faces wound
// counter-clockwise, one normal per face.
inline CMesh Cube(const char* name, float h)
{
    CMesh m;
    m.SetName(name);
    const float faces[6][3] = {{0, 0, 1}, {0, 0, -1}, {1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    for (const auto& n : faces) {
        // Two axes spanning the face so that u x v = n.
        CVector3d normal(n[0], n[1], n[2]);
        CVector3d u = std::fabs(n[1]) > 0.5f ? CVector3d(0, 0, 1) : CVector3d(0, 1, 0);
        u = u.Cross(normal);
        CVector3d v = normal.Cross(u);
        const int base = int(m.mVertices.size());
        const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (const auto& c : corners) {
            const float x = h * (normal.x + c[0] * u.x + c[1] * v.x);
            const float y = h * (normal.y + c[0] * u.y + c[1] * v.y);
            const float z = h * (normal.z + c[0] * u.z + c[1] * v.z);
            m.mVertices.push_back(RigidVertex(x, y, z));
            m.mNormals.push_back(Normal(n[0], n[1], n[2]));
        }
        m.mTriangles.push_back(Triangle(base, base + 1, base + 2));
        m.mTriangles.push_back(Triangle(base, base + 2, base + 3));
    }
    m.BuildMaterialBatches();
    return m;
}

} // namespace kestrel::test
