#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "model_fixtures.h"

using kestrel::test::BoundVertex;
using kestrel::test::Joint;
using kestrel::test::Quad;
using kestrel::test::RigidVertex;
using kestrel::test::TestModel;

namespace {

TestModel BoxModel(float x0, float y0, float z0, float x1, float y1, float z1)
{
    TestModel model;
    CMesh mesh;
    mesh.mVertices = {RigidVertex(x0, y0, z0), RigidVertex(x1, y1, z1)};
    model.mMeshes.push_back(mesh);
    return model;
}

TEST(ModelLifecycle, NewModelHasTheDocumentedDefaults)
{
    CModel model;
    EXPECT_FLOAT_EQ(model.mFps, 24.0f);
    EXPECT_FALSE(model.mAnimated);
    EXPECT_TRUE(model.mDefaultMaterial.mDoubleSided);
    EXPECT_STREQ(model.mDefaultMaterial.mName, "Default Material");
    EXPECT_FLOAT_EQ(model.mCurBounds[0].x, -32000.0f);
    EXPECT_FLOAT_EQ(model.mCurBounds[1].z, 32000.0f);
    EXPECT_EQ(model.mCelRamp[0][0], 48);
    EXPECT_EQ(model.mCelRamp[100][1], 48);
    EXPECT_EQ(model.mCelRamp[101][2], 128);
    EXPECT_EQ(model.mCelRamp[175][0], 128);
    EXPECT_EQ(model.mCelRamp[176][0], 210);
    EXPECT_EQ(model.mCelRamp[255][0], 210);
}

TEST(ModelLifecycle, EmptyModelFinalizesWithoutChangingBoundsOrMatrices)
{
    CModel model;
    EXPECT_TRUE(model.Finalize(true, true, 1.0f));
    EXPECT_EQ(model.mScaleMatrix, CMatrix());
    EXPECT_EQ(model.mCenterMatrix, CMatrix());
    EXPECT_FLOAT_EQ(model.mBoundsMax.x, 0.0f);
    EXPECT_FLOAT_EQ(model.mBoundsMin.y, 0.0f);
}

TEST(ModelLifecycle, CenterAndScaleFitTheLargestCoordinateToOne)
{
    TestModel model = BoxModel(0, 0, 0, 4, 2, 2);
    ASSERT_TRUE(model.Finalize(true, true, 1.0f));
    EXPECT_FLOAT_EQ(model.mBoundsMax.x, 4.0f);
    EXPECT_FLOAT_EQ(model.mCenterMatrix.m[12], -2.0f);
    EXPECT_FLOAT_EQ(model.mCenterMatrix.m[13], -1.0f);
    EXPECT_FLOAT_EQ(model.mScaleMatrix.m[0], 0.5f);
    EXPECT_FLOAT_EQ(model.mScaleMatrix.m[10], 0.5f);
    // The drawn positions are centred and scaled.
    EXPECT_FLOAT_EQ(model.mMeshes[0].mVertices[1].mPos[0], 1.0f);
    EXPECT_FLOAT_EQ(model.mMeshes[0].mVertices[1].mPos[1], 0.5f);
}

TEST(ModelLifecycle, ScaleIsMeasuredAroundTheCentreEvenWithoutCentring)
{
    TestModel model = BoxModel(10, 10, 10, 12, 11, 11);
    ASSERT_TRUE(model.Finalize(false, true, 1.0f));
    EXPECT_EQ(model.mCenterMatrix, CMatrix());
    EXPECT_FLOAT_EQ(model.mScaleMatrix.m[0], 1.0f);
    EXPECT_FLOAT_EQ(model.mMeshes[0].mVertices[0].mPos[0], 10.0f);
}

TEST(ModelLifecycle, WeightedVerticesUseTheirWeightedRestPosition)
{
    TestModel model;
    CMesh mesh;
    CVertex v = BoundVertex(4, 0, 0, {{0, 0.5f}});
    CVertexWeight w;
    w.mJoint = 0;
    w.mWeight = 0.5f;
    w.mLoadedPos[0] = 8;
    v.mWeights.push_back(w);
    mesh.mVertices = {RigidVertex(0, 0, 0), v};
    model.mMeshes.push_back(mesh);
    model.Center();
    EXPECT_FLOAT_EQ(model.mBoundsMax.x, 6.0f);
}

TEST(ModelLifecycle, PureSkeletonTakesBoundsAndScaleFromJoints)
{
    TestModel model;
    model.mJoints = {Joint("root", "", CVector3d(0, 0, 0)), Joint("tip", "ROOT", CVector3d(0, 4, 0))};
    ASSERT_TRUE(model.Finalize(true, true, 1.0f));
    EXPECT_FLOAT_EQ(model.mBoundsMax.y, 4.0f);
    EXPECT_FLOAT_EQ(model.mBoundsMin.y, 0.0f);
    EXPECT_FLOAT_EQ(model.mCenterMatrix.m[13], -2.0f);
    EXPECT_FLOAT_EQ(model.mScaleMatrix.m[5], 0.5f);
    // The tip joint ends up centred and scaled.
    EXPECT_FLOAT_EQ(model.mJoints[1].mAbsolute.m[13], 1.0f);
}

TEST(ModelLifecycle, ScaleWithZeroExtentKeepsTheScaleMatrix)
{
    TestModel model = BoxModel(3, 3, 3, 3, 3, 3);
    ASSERT_TRUE(model.Finalize(true, true, 1.0f));
    EXPECT_EQ(model.mScaleMatrix, CMatrix());
    EXPECT_FLOAT_EQ(model.mMeshes[0].mVertices[0].mPos[0], 0.0f);
}

TEST(ModelLifecycle, MissingParentFailsFinalizeButKeepsBounds)
{
    TestModel model = BoxModel(0, 0, 0, 2, 2, 2);
    model.mJoints = {Joint("a", "", CVector3d()), Joint("b", "nobody", CVector3d())};
    EXPECT_FALSE(model.Finalize(true, true, 1.0f));
    EXPECT_FLOAT_EQ(model.mBoundsMax.x, 2.0f);
    EXPECT_FLOAT_EQ(model.mScaleMatrix.m[0], 1.0f);
}

TEST(ModelLifecycle, UnloadEmptiesTheModelButKeepsRateRampAndPriority)
{
    TestModel model = BoxModel(0, 0, 0, 2, 2, 2);
    model.mJoints = {Joint("a", "", CVector3d())};
    model.mSequences.resize(2);
    model.mMaterials.resize(1);
    model.mAnimated = true;
    model.mTotalFrames = 40;
    model.mFps = 30;
    model.mCurrentSequence = 1;
    model.mPriorityEnabled = true;
    model.mCelRamp[0][0] = 7;
    ASSERT_TRUE(model.Finalize(true, true, 1.0f));
    model.Unload();
    EXPECT_TRUE(model.mMeshes.empty());
    EXPECT_TRUE(model.mJoints.empty());
    EXPECT_TRUE(model.mMaterials.empty());
    EXPECT_TRUE(model.mSequences.empty());
    EXPECT_FALSE(model.mAnimated);
    EXPECT_EQ(model.mTotalFrames, 0u);
    EXPECT_EQ(model.mCurrentSequence, 0);
    EXPECT_EQ(model.mScaleMatrix, CMatrix());
    EXPECT_EQ(model.mCenterMatrix, CMatrix());
    EXPECT_FLOAT_EQ(model.mBoundsMax.x, 0.0f);
    EXPECT_FLOAT_EQ(model.mCurBounds[0].x, -32000.0f);
    EXPECT_FLOAT_EQ(model.mFps, 30.0f);
    EXPECT_TRUE(model.mPriorityEnabled);
    EXPECT_EQ(model.mCelRamp[0][0], 7);
}

TEST(ModelLifecycle, CopiesOwnTheirArraysAndParentLinks)
{
    auto original = std::make_unique<TestModel>();
    original->mMeshes.push_back(Quad("quad", 0, 0, 1, 1));
    original->mJoints = {Joint("root", "", CVector3d()), Joint("child", "root", CVector3d(0, 1, 0))};
    ASSERT_TRUE(original->InitSkeleton());

    CModel copy(*original);
    CModel assigned;
    assigned = *original;
    original.reset();
    for (CModel* m : {&copy, &assigned}) {
        ASSERT_EQ(m->mMeshes.size(), 1u);
        EXPECT_STREQ(m->mMeshes[0].mName, "quad");
        ASSERT_EQ(m->mJoints.size(), 2u);
        EXPECT_EQ(m->mJoints[1].mParent, &m->mJoints[0]);
    }
}

TEST(ModelLifecycle, AMoveHandsOverWithoutCopyingAndEmptiesTheSource)
{
    TestModel source;
    source.mMeshes.push_back(Quad("quad", 0, 0, 1, 1));
    source.mJoints = {Joint("root", "", CVector3d()), Joint("child", "root", CVector3d(0, 1, 0))};
    ASSERT_TRUE(source.InitSkeleton());
    source.mFps = 12.0f;
    const CMesh* meshes = source.mMeshes.data();
    const CJoint* joints = source.mJoints.data();

    TestModel target;
    target.mMeshes.push_back(Quad("old", 0, 0, 2, 2));
    target = std::move(source);
    EXPECT_EQ(target.mMeshes.data(), meshes); // the arrays themselves, not copies
    EXPECT_EQ(target.mJoints.data(), joints);
    ASSERT_EQ(target.mMeshes.size(), 1u);
    EXPECT_STREQ(target.mMeshes[0].mName, "quad");
    EXPECT_EQ(target.mJoints[1].mParent, &target.mJoints[0]);
    EXPECT_FLOAT_EQ(target.mFps, 12.0f);
    EXPECT_TRUE(source.mMeshes.empty());
    EXPECT_TRUE(source.mJoints.empty());
}

TEST(ModelLifecycle, LongNamesAreCutAndTerminated)
{
    const std::string longName(100, 'n');
    CMesh mesh;
    mesh.SetName(longName.c_str());
    EXPECT_EQ(std::strlen(mesh.mName), 63u);
    CJoint joint;
    joint.SetParentName(longName.c_str());
    EXPECT_EQ(std::strlen(joint.mParentName), 63u);
    CAnimSequence seq;
    seq.SetName(nullptr);
    EXPECT_STREQ(seq.mName, "");
}

TEST(ModelLifecycle, BatchesFollowFirstAppearanceOfEachMaterial)
{
    CMesh mesh;
    for (int material : {2, -1, 2, 0}) {
        CTriangle t;
        t.mMaterial = material;
        mesh.mTriangles.push_back(t);
    }
    mesh.BuildMaterialBatches();
    ASSERT_EQ(mesh.mBatches.size(), 3u);
    EXPECT_EQ(mesh.mBatches[0].mMaterial, 2);
    EXPECT_EQ(mesh.mBatches[0].mTriangles, (std::vector<uint32_t>{0, 2}));
    EXPECT_EQ(mesh.mBatches[1].mMaterial, -1);
    EXPECT_EQ(mesh.mBatches[2].mMaterial, 0);
}

} // namespace
