#include <gtest/gtest.h>

#include "nimbus/camera.h"
#include "nimbus/light.h"

namespace {

CVector3d ToEye(const CCamera& camera, const CVector3d& p) { return p.TransformToTarget(CMatrix(camera.GetMatrix())); }

TEST(Camera, NewCameraLooksDownMinusZFromOneUnitAway)
{
    CCamera camera;
    CMatrix expected;
    expected.SetTranslation(0, 0, -1);
    EXPECT_EQ(CMatrix(camera.GetMatrix()), expected);
}

TEST(Camera, RotationOrbitsTheEyeAroundTheTarget)
{
    CCamera camera;
    camera.SetPosition(0, 0, 3);
    camera.SetRotation(0, 90, 0);
    const CVector3d target = ToEye(camera, CVector3d());
    EXPECT_NEAR(target.x, 0, 1e-5);
    EXPECT_NEAR(target.y, 0, 1e-5);
    EXPECT_NEAR(target.z, -3, 1e-5);
    // World +y stays up on the screen.
    const CVector3d up = ToEye(camera, CVector3d(0, 1, 0));
    EXPECT_NEAR(up.y, 1, 1e-5);
}

TEST(Camera, PanMovesTheSceneAndZoomMovesTheEye)
{
    CCamera camera;
    camera.SetPan(0.5f, 0);
    // Eye and target move with the pan, so the scene slides the other way.
    EXPECT_NEAR(ToEye(camera, CVector3d()).x, -0.5f, 1e-5);
    EXPECT_NEAR(ToEye(camera, CVector3d(1, 0, 0)).x, 0.5f, 1e-5);
    EXPECT_FLOAT_EQ(camera.SetZoom(2), 2.0f);
    EXPECT_NEAR(ToEye(camera, CVector3d()).z, -3.0f, 1e-5);
}

TEST(Camera, ZoomStopsAtTheTargetAndResetKeepsPositionAndTarget)
{
    CCamera camera;
    camera.SetPosition(0, 0, 2);
    camera.SetTarget(CVector3d(0, 0, 0));
    EXPECT_FLOAT_EQ(camera.SetZoom(-5), -2.0f);
    camera.SetRotation(10, 20, 30);
    camera.SetPan(1, 1);
    camera.Reset();
    EXPECT_FLOAT_EQ(camera.mZoom, 0);
    EXPECT_FLOAT_EQ(camera.mRotation.y, 0);
    EXPECT_FLOAT_EQ(camera.mPan.x, 0);
    EXPECT_FLOAT_EQ(camera.mPosition.z, 2);
    CMatrix expected;
    expected.SetTranslation(0, 0, -2);
    EXPECT_EQ(CMatrix(camera.GetMatrix()), expected);
}

TEST(Light, IsAPlaceholder)
{
    CLight light, copy(light);
    copy = light;
    light.Activate();
    light.Render();
}

} // namespace
