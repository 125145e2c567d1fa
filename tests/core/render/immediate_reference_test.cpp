#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <functional>
#include <vector>

#include "render_fixture.h"

using namespace kestrel::test;

namespace {

// The drawing as plain immediate-mode calls, triangle by triangle, to hold the cached
// vertex-array drawing to the same picture.
class ImmediateReference : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        if (HasFatalFailure())
            return;
        model.mMeshes = {Sheet()};
        Finish(model);
        glEnable(GL_LIGHT0);
        glRotatef(-50, 1, 0, 0);
        glRotatef(20, 0, 0, 1);
    }
    void TearDown() override
    {
        glDisable(GL_LIGHT0);
        RenderTest::TearDown();
    }

    // A bumpy 12 x 12 grid whose quads have hidden diagonals; some normals face away.
    static CMesh Sheet()
    {
        CMesh m;
        const int n = 12, side = n + 1;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const float px = float(x) / n * 2 - 1, py = float(y) / n * 2 - 1;
                m.mVertices.push_back(RigidVertex(px, py, 0.2f * std::sin(px * 4) * std::cos(py * 3)));
                CVector3d d(std::sin(px * 5), std::cos(py * 4), 0.3f);
                d.Normalize();
                m.mNormals.push_back(Normal(d.x, d.y, d.z));
            }
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                const int a = y * side + x, b = a + 1, c = a + side + 1, d = a + side;
                CTriangle t1 = Triangle(a, b, c), t2 = Triangle(a, c, d);
                t1.mEdgeFlags[2] = 0;
                t2.mEdgeFlags[0] = 0;
                m.mTriangles.push_back(t1);
                m.mTriangles.push_back(t2);
            }
        m.BuildMaterialBatches();
        return m;
    }

    std::vector<uint8_t> Draw(const std::function<void()>& draw)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        draw();
        glPopAttrib();
        return gl_->ReadPixels();
    }

    // Calls per corner of every triangle in order.
    template <class Corner>
    void Triangles(Corner corner)
    {
        const CMesh& mesh = model.mMeshes[0];
        glBegin(GL_TRIANGLES);
        for (const CTriangle& t : mesh.mTriangles)
            for (int c = 0; c < 3; ++c)
                corner(t, c, mesh.mVertices[size_t(t.mVertices[c])].mPos, mesh.mNormals[size_t(t.mNormals[c])].mDir);
        glEnd();
    }

    // Read once per mesh, outside glBegin.
    static CMatrix ModelView()
    {
        GLfloat mv[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, mv);
        return CMatrix(mv);
    }
    static CVector3d EyeNormal(const CMatrix& mv, const float* n)
    {
        CVector3d r(n);
        mv.VectorRotate(r);
        return r;
    }

    static size_t Differences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
    {
        size_t n = 0;
        for (size_t i = 0; i < a.size(); ++i)
            n += a[i] != b[i];
        return n;
    }

    TestModel model;
};

TEST_F(ImmediateReference, WireframeMatches)
{
    const unsigned char colour[3] = {0, 200, 100};
    const auto cached = Draw([&] { model.Render(6, colour); });
    const auto reference = Draw([&] {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glLineWidth(1);
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glColor3ubv(colour);
        Triangles([](const CTriangle& t, int c, const float* p, const float*) {
            glEdgeFlag(t.mEdgeFlags[c] ? GL_TRUE : GL_FALSE);
            glVertex3fv(p);
        });
    });
    EXPECT_EQ(Differences(cached, reference), 0u);
    EXPECT_GT(CountPixels(Rgba(0, 200, 100)), 500);
}

TEST_F(ImmediateReference, SmoothAndFlatShadingMatch)
{
    for (unsigned char mode : {8, 9}) {
        const auto cached = Draw([&] { model.Render(mode, nullptr); });
        const auto reference = Draw([&] {
            glEnable(GL_LIGHTING);
            model.mDefaultMaterial.InitializeMaterial();
            Triangles([&](const CTriangle& t, int c, const float* p, const float* n) {
                if (mode == 9) {
                    glNormal3fv(n);
                } else if (c == 0) {
                    const CMesh& mesh = model.mMeshes[0];
                    float sum[3] = {0, 0, 0};
                    for (int k = 0; k < 3; ++k)
                        for (int a = 0; a < 3; ++a)
                            sum[a] += mesh.mNormals[size_t(t.mNormals[k])].mDir[a];
                    glNormal3f(sum[0] * 0.33333334f, sum[1] * 0.33333334f, sum[2] * 0.33333334f);
                }
                glVertex3fv(p);
            });
        });
        EXPECT_EQ(Differences(cached, reference), 0u) << int(mode);
    }
}

TEST_F(ImmediateReference, ShadedPointsAndLinesFaceTheViewer)
{
    for (unsigned char mode : {5, 7}) {
        const auto cached = Draw([&] { model.Render(mode, nullptr); });
        const auto reference = Draw([&] {
            model.mDefaultMaterial.InitializeMaterial();
            glDisable(GL_CULL_FACE);
            glEnable(GL_LIGHTING);
            glPolygonMode(GL_FRONT_AND_BACK, mode == 5 ? GL_POINT : GL_LINE);
            glPointSize(1);
            glLineWidth(1);
            const CMatrix mv = ModelView();
            Triangles([&](const CTriangle& t, int c, const float* p, const float* n) {
                if (mode == 7)
                    glEdgeFlag(t.mEdgeFlags[c] ? GL_TRUE : GL_FALSE);
                if (EyeNormal(mv, n).z > 0)
                    glNormal3fv(n);
                else
                    glNormal3f(-n[0], -n[1], -n[2]);
                glVertex3fv(p);
            });
        });
        EXPECT_EQ(Differences(cached, reference), 0u) << int(mode);
    }
}

TEST_F(ImmediateReference, CelShadingMatches)
{
    const auto cached = Draw([&] { model.Render(10, nullptr); });
    const auto reference = Draw([&] {
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_1D, model.mRampTexture);
        glEnable(GL_TEXTURE_1D);
        glColor3ub(255, 255, 255);
        const CMatrix mv = ModelView();
        Triangles([&](const CTriangle&, int, const float* p, const float* n) {
            const float s = EyeNormal(mv, n).z;
            glTexCoord1f(s < 0 ? 0 : s);
            glVertex3fv(p);
        });
    });
    EXPECT_EQ(Differences(cached, reference), 0u);
}

TEST_F(ImmediateReference, SolidMatches)
{
    const auto cached = Draw([&] { model.Render(); });
    const auto reference = Draw([&] {
        glEnable(GL_LIGHTING);
        model.mDefaultMaterial.InitializeMaterial();
        Triangles([](const CTriangle&, int, const float* p, const float* n) {
            glNormal3fv(n);
            glVertex3fv(p);
        });
    });
    EXPECT_EQ(Differences(cached, reference), 0u);
}

// Sent once per vertex where its corners agree, the solid drawing must still tell corners of
// one vertex apart: a fan whose centre has a normal of its own in each triangle (more than
// are ever compared), and corners whose normal index is bad and send a zero normal.
TEST_F(ImmediateReference, SolidMatchesWhereTheCornersOfAVertexDiffer)
{
    CMesh fan;
    constexpr int kBlades = 40;
    fan.mVertices.push_back(RigidVertex(0, 0, 0.3f));
    for (int i = 0; i <= kBlades; ++i) {
        const float a = float(i) / kBlades * 6.2831853f;
        fan.mVertices.push_back(RigidVertex(std::cos(a) * 0.9f, std::sin(a) * 0.9f, 0));
    }
    for (int i = 0; i < kBlades; ++i) {
        CVector3d d(std::sin(i * 0.7f), std::cos(i * 1.3f), 0.5f);
        d.Normalize();
        fan.mNormals.push_back(Normal(d.x, d.y, d.z));
    }
    fan.mNormals.push_back(Normal(0, 0, 1));
    const int32_t rim = int32_t(fan.mNormals.size()) - 1;
    for (int i = 0; i < kBlades; ++i) {
        CTriangle t = Triangle(0, i + 1, i + 2);
        t.mNormals[0] = i;
        t.mNormals[1] = t.mNormals[2] = i % 5 == 0 ? 999 : rim;
        fan.mTriangles.push_back(t);
    }
    fan.BuildMaterialBatches();
    model.mMeshes = {fan};
    Finish(model);

    const auto cached = Draw([&] { model.Render(); });
    const auto reference = Draw([&] {
        glEnable(GL_LIGHTING);
        model.mDefaultMaterial.InitializeMaterial();
        glBegin(GL_TRIANGLES);
        for (const CTriangle& t : fan.mTriangles)
            for (int c = 0; c < 3; ++c) {
                const bool known = t.mNormals[c] >= 0 && size_t(t.mNormals[c]) < fan.mNormals.size();
                const float zero[3] = {0, 0, 0};
                glNormal3fv(known ? fan.mNormals[size_t(t.mNormals[c])].mDir : zero);
                glVertex3fv(model.mMeshes[0].mVertices[size_t(t.mVertices[c])].mPos);
            }
        glEnd();
    });
    EXPECT_EQ(Differences(cached, reference), 0u);
    EXPECT_GT(CountPixels(Rgba(0, 0, 0, 255)), 0) << "the background shows around the fan";
}

// Batches of two materials, one with a texture; in each, textured and untextured triangles
// alternate, so untextured ones keep the coordinate last sent.
TEST_F(ImmediateReference, TexturedBatchesMatch)
{
    CMesh& mesh = model.mMeshes[0];
    mesh.mTexCoords.resize(mesh.mVertices.size());
    for (size_t i = 0; i < mesh.mTexCoords.size(); ++i) {
        mesh.mTexCoords[i].mU = mesh.mVertices[i].mLoadedPos[0] * 2;
        mesh.mTexCoords[i].mV = mesh.mVertices[i].mLoadedPos[1] * 3;
    }
    for (size_t t = 0; t < mesh.mTriangles.size(); ++t) {
        CTriangle& tri = mesh.mTriangles[t];
        tri.mMaterial = (t / 7) % 2 ? 0 : -1;
        if (t % 3 != 1)
            for (int c = 0; c < 3; ++c)
                tri.mTexCoords[c] = tri.mVertices[c];
        tri.UpdateTextured();
    }
    mesh.BuildMaterialBatches();
    model.mMaterials.resize(1);
    ASSERT_TRUE(model.Finalize(false, false, 1.0f));
    CTexture& tex = model.mMaterials[0].mDiffuseTex;
    tex.mWidth = tex.mHeight = 2;
    tex.mBpp = 24;
    tex.mFilter = SK_FILTER_NEAREST;
    tex.InitPixelData();
    const uint8_t texels[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    std::copy(texels, texels + 12, tex.mData.begin());
    tex.SetFileNameUtf8("in-memory.png");
    model.ReloadTextures(false);
    ASSERT_NE(tex.mTexName, 0u);

    const auto cached = Draw([&] { model.Render(); });
    const auto reference = Draw([&] {
        glEnable(GL_LIGHTING);
        glTexCoord2f(0, 0);
        for (const CMaterialBatch& batch : mesh.mBatches) {
            (batch.mMaterial < 0 ? model.mDefaultMaterial : model.mMaterials[0]).InitializeMaterial();
            glBegin(GL_TRIANGLES);
            for (uint32_t t : batch.mTriangles) {
                const CTriangle& tri = mesh.mTriangles[t];
                for (int c = 0; c < 3; ++c) {
                    if (tri.mTextured) {
                        const CTexCoord& tc = mesh.mTexCoords[size_t(tri.mTexCoords[c])];
                        glTexCoord2f(tc.mU, tc.mV);
                    }
                    glNormal3fv(mesh.mNormals[size_t(tri.mNormals[c])].mDir);
                    glVertex3fv(mesh.mVertices[size_t(tri.mVertices[c])].mPos);
                }
            }
            glEnd();
        }
    });
    EXPECT_EQ(Differences(cached, reference), 0u);
    glDisable(GL_TEXTURE_2D);
}

} // namespace
