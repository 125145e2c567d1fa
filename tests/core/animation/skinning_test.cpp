#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "animated_fixture.h"

using namespace kestrel::test;

namespace {

class Skinning : public ManualClockTest {};

TEST_F(Skinning, VertexOnARotatedJointLandsWhereTheMatricesSay)
{
    TestModel model;
    BuildArmModel(model);
    ASSERT_TRUE(model.Finalize(false, false, 1.0f));
    model.AniPlay(0);
    AdvanceFrames(model, 4);
    model.AniProgress(1);
    model.UpdateSkin();

    const CVertex& v = model.mMeshes[0].mVertices[0];
    EXPECT_NEAR(v.mPos[0], 1.0f, 1e-4);
    EXPECT_NEAR(v.mPos[1], 1.0f, 1e-4);
    EXPECT_NEAR(v.mPos[2], 0.0f, 1e-4);
    const CNormal& n = model.mMeshes[0].mNormals[0];
    EXPECT_NEAR(n.mDir[0], 0.0f, 1e-4);
    EXPECT_NEAR(n.mDir[1], 1.0f, 1e-4);
    // The rigid vertex stays; the bounds cover every vertex.
    EXPECT_FLOAT_EQ(model.mMeshes[0].mVertices[1].mPos[1], 3.0f);
    EXPECT_NEAR(model.mCurBounds[0].x, 1.0f, 1e-4);
    EXPECT_FLOAT_EQ(model.mCurBounds[0].y, 3.0f);
    EXPECT_FLOAT_EQ(model.mCurBounds[1].x, 0.0f);
}

TEST_F(Skinning, BindPoseIsRestoredByTheFirstUpdateAfterFinalize)
{
    TestModel model;
    BuildArmModel(model);
    ASSERT_TRUE(model.Finalize(true, true, 1.0f));
    model.UpdateSkin();
    // Bounds (0,0,0)-(2,3,0): centre (1, 1.5, 0), largest centred coordinate 1.5.
    const float s = 1.0f / 1.5f;
    const CVertex& v = model.mMeshes[0].mVertices[0];
    EXPECT_NEAR(v.mPos[0], (2 - 1) * s, 1e-5);
    EXPECT_NEAR(v.mPos[1], (0 - 1.5f) * s, 1e-5);
}

TEST_F(Skinning, WeightsNamingNoJointStayAtTheirBindPosition)
{
    TestModel model;
    BuildArmModel(model);
    model.mMeshes[0].mVertices[0] = BoundVertex(2, 0, 0, {{7, 0.5f}, {1, 0.5f}});
    ASSERT_TRUE(model.Finalize(false, false, 1.0f));
    model.AniPlay(0);
    AdvanceFrames(model, 4);
    model.AniProgress(1);
    model.UpdateSkin();
    // Half stays at (2, 0, 0), half turns with the arm to (1, 1, 0).
    const CVertex& v = model.mMeshes[0].mVertices[0];
    EXPECT_NEAR(v.mPos[0], 1.5f, 1e-4);
    EXPECT_NEAR(v.mPos[1], 0.5f, 1e-4);
}

TEST_F(Skinning, ModelWithoutJointsTakesItsBoundsFromTheBindBox)
{
    TestModel model;
    model.mMeshes = {Quad("q", 0, 0, 4, 2)};
    ASSERT_TRUE(model.Finalize(true, true, 1.0f));
    model.UpdateSkin();
    EXPECT_FLOAT_EQ(model.mCurBounds[0].x, 1.0f);
    EXPECT_FLOAT_EQ(model.mCurBounds[1].y, -0.5f);
}

TEST(JointPose, KeysHoldOutsideTheirRangeAndMatchExactTimes)
{
    CJoint joint = Joint("j", "", CVector3d(1, 0, 0));
    joint.mPosKeys = {CKeyFrame(2, CVector3d(0, 1, 0)), CKeyFrame(4, CVector3d(0, 3, 0))};
    const CMatrix identity;
    const auto yAt = [&](float t) {
        joint.Progress(t, identity, identity);
        return joint.mAbsolute.m[13];
    };
    EXPECT_FLOAT_EQ(yAt(0), 1.0f);
    EXPECT_FLOAT_EQ(yAt(2), 1.0f);
    EXPECT_FLOAT_EQ(yAt(3), 2.0f);
    EXPECT_FLOAT_EQ(yAt(4), 3.0f);
    EXPECT_FLOAT_EQ(yAt(9), 3.0f);
    // Only position keys: the initial translation stays and is added to.
    EXPECT_FLOAT_EQ(joint.mAbsolute.m[12], 1.0f);
}

TEST(JointPose, RotationKeysKeepTheScaledCentredInitialTranslation)
{
    CJoint joint = Joint("j", "", CVector3d(4, 0, 0));
    joint.mRotKeys = {CKeyFrame(0, CVector3d(0, 0, kHalfPi))};
    CMatrix scale, centring;
    scale.SetScale(0.5f);
    centring.SetTranslation(-2, 0, 0);
    joint.Progress(3, scale, centring);
    EXPECT_FLOAT_EQ(joint.mAbsolute.m[12], 1.0f);
    EXPECT_NEAR(joint.mAbsolute.m[1], 1.0f, 1e-6); // x axis turned onto y
}

TEST(JointPose, RotationTakesTheShorterWayRound)
{
    const float deg = 3.14159265f / 180.0f;
    CJoint joint = Joint("j", "", CVector3d());
    joint.mRotKeys = {CKeyFrame(0, CVector3d(0, 0, 170 * deg)), CKeyFrame(2, CVector3d(0, 0, -170 * deg))};
    const CMatrix identity;
    joint.Progress(1, identity, identity);
    // Halfway the long way round would face +x; the short way faces -x.
    EXPECT_NEAR(joint.mAbsolute.m[0], -1.0f, 1e-4);
    EXPECT_NEAR(joint.mAbsolute.m[1], 0.0f, 1e-4);
}

TEST(JointPose, FirstJointOfADuplicatedNameBecomesTheParent)
{
    TestModel model;
    model.mJoints = {Joint("a", "", CVector3d(1, 0, 0)), Joint("a", "", CVector3d(5, 0, 0)),
                     Joint("c", "A", CVector3d(0, 1, 0))};
    ASSERT_TRUE(model.InitSkeleton());
    EXPECT_EQ(model.mJoints[2].mParent, &model.mJoints[0]);
    EXPECT_FLOAT_EQ(model.mJoints[2].mAbsolute.m[12], 1.0f);
}

TEST(JointPose, DeepChainsAndNamesThatFillTheirFieldFindTheirParents)
{
    // A chain as deep as a large motion-capture file: each joint one step above its parent.
    constexpr int kDepth = 100000;
    TestModel model;
    model.mJoints.reserve(kDepth);
    for (int i = 0; i < kDepth; ++i) {
        const std::string name = "J" + std::to_string(i);
        const std::string parent = i ? "j" + std::to_string(i - 1) : "";
        model.mJoints.push_back(Joint(name.c_str(), parent.c_str(), CVector3d(0, i ? 1.0f : 0.0f, 0)));
    }
    ASSERT_TRUE(model.InitSkeleton());
    EXPECT_EQ(model.mJoints.back().mParent, &model.mJoints[kDepth - 2]);
    EXPECT_FLOAT_EQ(model.mJoints.back().mAbsolute.m[13], float(kDepth - 1));

    // Names without a terminating zero are compared over their whole field only.
    TestModel full;
    full.mJoints = {Joint("", "", CVector3d()), Joint("child", "", CVector3d())};
    std::memset(full.mJoints[0].mName, 'R', sizeof(full.mJoints[0].mName));
    std::memset(full.mJoints[1].mParentName, 'r', sizeof(full.mJoints[1].mParentName));
    ASSERT_TRUE(full.InitSkeleton());
    EXPECT_EQ(full.mJoints[1].mParent, &full.mJoints[0]);
}

TEST(JointPose, CopiedJointsOwnTheirKeys)
{
    auto joint = std::make_unique<CJoint>(Joint("j", "", CVector3d()));
    joint->mPosKeys = {CKeyFrame(1, CVector3d(1, 2, 3))};
    CJoint copy(*joint);
    joint.reset();
    ASSERT_EQ(copy.mPosKeys.size(), 1u);
    EXPECT_FLOAT_EQ(copy.mPosKeys[0].mValue.z, 3.0f);
}

} // namespace
