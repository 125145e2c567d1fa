#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "nimbus/matrix.h"
#include "nimbus/vector3d.h"

namespace {

constexpr float kDegToRad = 0.017453292f;

void ExpectNear(const CMatrix& a, const CMatrix& b, float tolerance = 1e-5f)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(a.m[i], b.m[i], tolerance) << "element " << i;
}

TEST(Matrix, NullDataGivesIdentity)
{
    const CMatrix identity;
    EXPECT_EQ(CMatrix(nullptr), identity);
    CMatrix m;
    m.m[3] = 7.0f;
    m.SetData(nullptr);
    EXPECT_EQ(m, identity);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(identity.m[i], (i % 5 == 0) ? 1.0f : 0.0f);
}

TEST(Matrix, RotationMatchesAxisProductAndLeavesTheRestAlone)
{
    CMatrix m;
    m.m[3] = 2.0f;
    m.SetTranslation(4, 5, 6);
    m.SetRotationRad(0.3f, -0.4f, 1.1f);
    EXPECT_EQ(m.m[3], 2.0f);
    EXPECT_EQ(m.m[12], 4.0f);
    EXPECT_EQ(m.m[14], 6.0f);

    // R = Rz * Ry * Rx: rotating (1, 0, 0) about x does nothing, so R * x = Rz * Ry * x.
    CMatrix rx, ry, rz;
    rx.SetRotationRad(0.3f, 0, 0);
    ry.SetRotationRad(0, -0.4f, 0);
    rz.SetRotationRad(0, 0, 1.1f);
    CMatrix product = rz * ry * rx;
    CMatrix pure;
    pure.SetRotationRad(0.3f, -0.4f, 1.1f);
    ExpectNear(product, pure);
}

TEST(Matrix, DegreesUseTheSameConstantAndEulersRoundTrip)
{
    CMatrix deg, rad;
    deg.SetRotationDeg(90, 0, 0);
    rad.SetRotationRad(90 * kDegToRad, 0, 0);
    EXPECT_EQ(deg, rad);

    for (const CVector3d& in : {CVector3d(0.5f, 1.2f, -2.0f), CVector3d(-1.0f, -1.4f, 3.0f), CVector3d(0, 0, 0)}) {
        CMatrix m;
        m.SetRotationRad(in);
        const CVector3d out = m.GetEulers();
        EXPECT_NEAR(out.x, in.x, 1e-5);
        EXPECT_NEAR(out.y, in.y, 1e-5);
        EXPECT_NEAR(out.z, in.z, 1e-5);
    }
}

TEST(Matrix, ScaleWritesOnlyTheDiagonal)
{
    CMatrix m;
    m.SetRotationDeg(30, 40, 50);
    const CMatrix before = m;
    m.SetScale(2.0f);
    for (int i = 0; i < 16; ++i) {
        if (i == 0 || i == 5 || i == 10)
            EXPECT_EQ(m.m[i], 2.0f);
        else
            EXPECT_EQ(m.m[i], before.m[i]);
    }
    EXPECT_FLOAT_EQ(m.GetScale(), 0.5f);
}

TEST(Matrix, InverseTransposesRotationAndRotatesTranslation)
{
    CMatrix m;
    m.SetRotationDeg(10, 20, 30);
    CMatrix expected = m;
    expected.Transpose();
    CMatrix inv = m;
    inv.Inverse();
    ExpectNear(inv, expected);

    m.SetTranslation(1, 2, 3);
    inv = m;
    inv.Inverse();
    // The camera's inverse keeps R^T * t (not its negation).
    float t[3] = {1, 2, 3};
    m.VectorInverseRotate(t);
    EXPECT_NEAR(inv.m[12], t[0], 1e-5);
    EXPECT_NEAR(inv.m[13], t[1], 1e-5);
    EXPECT_NEAR(inv.m[14], t[2], 1e-5);
    EXPECT_EQ(inv.m[15], 1.0f);
}

TEST(Matrix, AffineProductResetsTheBottomRow)
{
    CMatrix a;
    a.m[3] = 5.0f;
    a.m[7] = 6.0f;
    a *= CMatrix();
    EXPECT_EQ(a.m[3], 0.0f);
    EXPECT_EQ(a.m[7], 0.0f);
    EXPECT_EQ(a.m[15], 1.0f);

    CMatrix rot, move;
    rot.SetRotationDeg(0, 0, 90);
    move.SetTranslation(1, 0, 0);
    const CMatrix both = rot * move; // translation is rotated: A * tb + ta
    EXPECT_NEAR(both.m[12], 0.0f, 1e-6);
    EXPECT_NEAR(both.m[13], 1.0f, 1e-6);
}

TEST(Matrix, VectorHelpersAndTransform)
{
    CMatrix m;
    m.SetRotationDeg(0, 0, 90);
    m.SetTranslation(10, 20, 30);
    float x = 1, y = 0, z = 0;
    m.VectorRotate(x, y, z);
    EXPECT_NEAR(x, 0, 1e-6);
    EXPECT_NEAR(y, 1, 1e-6);
    m.VectorInverseRotate(x, y, z);
    EXPECT_NEAR(x, 1, 1e-6);
    EXPECT_NEAR(y, 0, 1e-6);
    m.VectorTranslate(x, y, z);
    EXPECT_FLOAT_EQ(z, 30);
    m.VectorInverseTranslate(x, y, z);
    EXPECT_FLOAT_EQ(z, 0);

    const CVector3d moved = CVector3d(1, 0, 0).TransformToTarget(m);
    EXPECT_NEAR(moved.x, 10, 1e-5);
    EXPECT_NEAR(moved.y, 21, 1e-5);
    EXPECT_NEAR(moved.z, 30, 1e-5);
}

TEST(Matrix, StringIsRowByRow)
{
    CMatrix m;
    m.SetTranslation(1, 2, 3);
    char text[256];
    m.GetString(text);
    EXPECT_STREQ(text,
                 "1.000000 0.000000 0.000000 1.000000\n"
                 "0.000000 1.000000 0.000000 2.000000\n"
                 "0.000000 0.000000 1.000000 3.000000\n"
                 "0.000000 0.000000 0.000000 1.000000\n");
}

TEST(Matrix, EqualityIsBitwise)
{
    CMatrix a, b;
    a.m[1] = 0.0f;
    b.m[1] = -0.0f;
    EXPECT_NE(a, b);
    b = b; // self-assignment keeps the values
    EXPECT_EQ(b.m[1], -0.0f);
}

} // namespace
