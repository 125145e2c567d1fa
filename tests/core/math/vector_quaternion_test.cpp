#include <gtest/gtest.h>

#include <cmath>

#include "nimbus/quaternion.h"
#include "nimbus/vector3d.h"

namespace {

TEST(Vector3d, ArithmeticAndZeroNormalize)
{
    CVector3d v(3, 4, 0);
    EXPECT_DOUBLE_EQ(v.GetLength(), 5.0);
    v.Normalize();
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    CVector3d zero;
    zero.Normalize();
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);

    const CVector3d c = CVector3d(1, 0, 0).Cross(CVector3d(0, 1, 0));
    EXPECT_EQ(c.z, 1.0f);
    EXPECT_EQ(CVector3d(1, 2, 3).Dot(CVector3d(4, 5, 6)), 32.0f);

    CVector3d s(1, 2, 3);
    s += 1.0f;
    EXPECT_EQ(s.x, 2.0f);
    EXPECT_EQ(s.z, 4.0f);
    s *= 2.0f;
    s -= CVector3d(1, 1, 1);
    EXPECT_EQ(s.y, 5.0f);
    s.Negate();
    EXPECT_EQ(s.y, -5.0f);
}

TEST(Vector3d, AxisAccessorsReadMatrixColumns)
{
    CMatrix m;
    m.SetRotationDeg(0, 0, 90);
    m.SetTranslation(7, 8, 9);
    CVector3d v;
    v.GetCenterCoords(m);
    EXPECT_EQ(v.x, 7.0f);
    v.GetXAxisCoords(m);
    EXPECT_NEAR(v.y, 1.0f, 1e-6);
    v.GetYAxisCoords(m);
    EXPECT_NEAR(v.x, -1.0f, 1e-6);
    v.GetZAxisCoords(m);
    EXPECT_EQ(v.z, 1.0f);
}

TEST(Quaternion, DefaultsAndW)
{
    CQuaternion q;
    EXPECT_EQ(q.w, 0.0f);
    q.CalcW();
    EXPECT_EQ(q.w, 1.0f);
    q.SetData(0.6f, 0.0f, 0.0f);
    EXPECT_NEAR(q.w, -0.8f, 1e-6);
    q.SetData(1.0f, 1.0f, 0.0f); // |v| > 1
    EXPECT_EQ(q.w, 0.0f);

    CQuaternion zero;
    zero.Normalize();
    EXPECT_EQ(zero.GetLength(), 0.0f);
}

TEST(Quaternion, EulersAgreeWithTheMatrixOrder)
{
    const CVector3d e(0.4f, -0.7f, 1.3f);
    CQuaternion q;
    q.SetEulers(e);
    CMatrix fromQuat = q.GetMatrix();
    CMatrix direct;
    direct.SetRotationRad(e);
    for (int i : {0, 1, 2, 4, 5, 6, 8, 9, 10})
        EXPECT_NEAR(fromQuat.m[i], direct.m[i], 1e-5) << i;
    const CVector3d back = q.GetEulers();
    EXPECT_NEAR(back.x, e.x, 1e-5);
    EXPECT_NEAR(back.y, e.y, 1e-5);
    EXPECT_NEAR(back.z, e.z, 1e-5);
}

TEST(Quaternion, GetMatrixKeepsTranslation)
{
    CMatrix m;
    m.SetTranslation(1, 2, 3);
    CQuaternion(0, 0, 0, 1).GetMatrix(m);
    EXPECT_EQ(m.m[12], 1.0f);
    EXPECT_EQ(m.m[0], 1.0f);
}

TEST(Quaternion, SlerpTakesTheShorterArc)
{
    CQuaternion a, b;
    a.SetEulers(CVector3d(0, 0, 0));
    b.SetEulers(CVector3d(0, 0, 1.0f));
    CQuaternion negB = b;
    negB.Negate(); // same rotation, other hemisphere
    const CQuaternion half = a.Slerp(negB, 0.5f);
    const CVector3d e = half.GetEulers();
    EXPECT_NEAR(e.z, 0.5f, 1e-5);
    EXPECT_NEAR(half.GetLength(), 1.0f, 1e-6);

    // Nearly equal inputs fall back to a normalised linear blend.
    const CQuaternion c(0, 0, 0.000001f, 1.0f);
    const CQuaternion mid = a.Slerp(c, 0.5f);
    EXPECT_NEAR(mid.GetLength(), 1.0f, 1e-6);
    EXPECT_NEAR(mid.z, 0.0000005f, 1e-7);
}

TEST(Quaternion, LerpDoesNotFlip)
{
    const CQuaternion a(0, 0, 0, 1), b(0, 0, 0, -1);
    const CQuaternion r = a.Lerp(b, 0.5f); // sums to zero
    EXPECT_EQ(r.GetLength(), 0.0f);
}

} // namespace
