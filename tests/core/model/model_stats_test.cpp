#include <gtest/gtest.h>

#include "model_fixtures.h"

using kestrel::test::Joint;
using kestrel::test::Quad;
using kestrel::test::TestModel;

namespace {

TEST(ModelStats, TotalsAndTimesSumOverMeshes)
{
    TestModel model;
    model.mMeshes = {Quad("a", 0, 0, 1, 1), Quad("b", 0, 0, 2, 4)};
    model.mMaterials.resize(3);
    model.mTotalFrames = 48;
    model.mFps = 12;
    ASSERT_TRUE(model.Finalize(true, true, 1.0f));
    const SK_MODEL_STATS s = model.GetModelStats();
    EXPECT_EQ(s.totalVertices, 8u);
    EXPECT_EQ(s.totalTriangles, 4u);
    EXPECT_EQ(s.totalNormals, 8u);
    EXPECT_EQ(s.meshCount, 2u);
    EXPECT_EQ(s.materialCount, 3u);
    EXPECT_FLOAT_EQ(s.totalTime, 4.0f);
    EXPECT_FLOAT_EQ(s.center.x, 1.0f);
    EXPECT_FLOAT_EQ(s.center.y, 2.0f);
    EXPECT_FLOAT_EQ(s.scale, 0.5f);
}

TEST(ModelStats, RecordsPointIntoTheModelAndOutOfRangeGivesZero)
{
    TestModel model;
    model.mMeshes = {Quad("mesh", 0, 0, 1, 1)};
    model.mJoints = {Joint("hip", "", CVector3d(1, 2, 3))};
    model.mJoints[0].mRotKeys.resize(2);
    model.mMaterials.resize(1);
    model.mMaterials[0].mDoubleSided = true;
    model.mSequences.resize(1);
    model.mSequences[0].SetName("walk");
    model.mSequences[0].mPriority = 65535;

    const SK_MESH_STATS mesh = model.GetMeshStats(0);
    EXPECT_EQ(mesh.name, model.mMeshes[0].mName);
    EXPECT_EQ(mesh.batchCount, 1u);
    const SK_JOINT_STATS joint = model.GetJointStats(0);
    EXPECT_STREQ(joint.name, "hip");
    EXPECT_FLOAT_EQ(joint.initPosition.z, 3.0f);
    EXPECT_EQ(joint.rotationKeyCount, 2u);
    EXPECT_EQ(model.GetMaterialStats(0).doubleSided, 1u);
    EXPECT_STREQ(model.GetMaterialStats(0).name, "Default Material");
    EXPECT_EQ(model.GetLoopStats(0).priority, 65535u);
    EXPECT_STREQ(model.AniGetLoopName(0), "walk");

    EXPECT_EQ(model.GetMeshStats(-1).name, nullptr);
    EXPECT_EQ(model.GetMeshStats(1).vertexCount, 0u);
    EXPECT_EQ(model.GetJointStats(5).parentName, nullptr);
    EXPECT_EQ(model.GetMaterialStats(1).diffuseTexture, nullptr);
    EXPECT_EQ(model.GetLoopStats(-3).name, nullptr);
    EXPECT_EQ(model.AniGetLoopName(1), nullptr);
}

TEST(ModelStats, MeshFlagsAcceptOnlySelectedAndHidden)
{
    TestModel model;
    model.mMeshes = {Quad("mesh", 0, 0, 1, 1)};
    model.SetMeshFlag(0, 3, true);
    EXPECT_EQ(model.GetMeshFlag(0), 0);
    model.SetMeshFlag(0, 2, false);
    EXPECT_EQ(model.GetMeshFlag(0), 0);
    model.SetMeshFlag(0, 2, true);
    model.SetMeshFlag(0, 1, true);
    EXPECT_EQ(model.GetMeshFlag(0), 3);
    model.SetMeshFlag(0, 2, false);
    EXPECT_EQ(model.GetMeshFlag(0), 1);
    model.SetMeshFlag(1, 1, true);
    model.SetMeshFlag(-1, 1, true);
    EXPECT_EQ(model.GetMeshFlag(1), 0);
    EXPECT_EQ(model.GetMeshFlag(-1), 0);
}

} // namespace
