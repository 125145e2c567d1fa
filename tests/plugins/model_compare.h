#pragma once
// Element-by-element comparison of two engine models, for importers that must build what
// the engine's own reader builds.

#include <gtest/gtest.h>

#include <string>

#include "nimbus/model.h"

namespace kestrel::test {

struct CompareOptions {
    // Triangles of a model without materials may name material 0 or none; what is drawn
    // is decided by the batches, which are compared either way.
    bool triangleMaterials = true;
    bool textureNames = true;
};

inline void ExpectNear3(const float* a, const float* b, const std::string& what)
{
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(a[k], b[k], 1e-5f) << what << " [" << k << "]";
}

inline void ExpectSameMesh(const CMesh& a, const CMesh& b, const CompareOptions& o, const std::string& where)
{
    EXPECT_STREQ(a.mName, b.mName) << where;
    ASSERT_EQ(a.mVertices.size(), b.mVertices.size()) << where;
    for (size_t i = 0; i < a.mVertices.size(); ++i) {
        const std::string w = where + " vertex " + std::to_string(i);
        ExpectNear3(a.mVertices[i].mLoadedPos, b.mVertices[i].mLoadedPos, w);
        ASSERT_EQ(a.mVertices[i].mWeights.size(), b.mVertices[i].mWeights.size()) << w;
        for (size_t k = 0; k < a.mVertices[i].mWeights.size(); ++k) {
            const CVertexWeight &x = a.mVertices[i].mWeights[k], &y = b.mVertices[i].mWeights[k];
            ExpectNear3(x.mLoadedPos, y.mLoadedPos, w + " weight");
            EXPECT_EQ(x.mJoint, y.mJoint) << w;
            EXPECT_FLOAT_EQ(x.mWeight, y.mWeight) << w;
        }
    }
    ASSERT_EQ(a.mTriangles.size(), b.mTriangles.size()) << where;
    for (size_t i = 0; i < a.mTriangles.size(); ++i) {
        const CTriangle &x = a.mTriangles[i], &y = b.mTriangles[i];
        const std::string w = where + " triangle " + std::to_string(i);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(x.mVertices[c], y.mVertices[c]) << w;
            EXPECT_EQ(x.mNormals[c], y.mNormals[c]) << w;
            EXPECT_EQ(x.mTexCoords[c], y.mTexCoords[c]) << w;
        }
        if (o.triangleMaterials)
            EXPECT_EQ(x.mMaterial, y.mMaterial) << w;
        EXPECT_EQ(x.mSmoothingGroup, y.mSmoothingGroup) << w;
        EXPECT_EQ(x.mTextured, y.mTextured) << w;
    }
    ASSERT_EQ(a.mNormals.size(), b.mNormals.size()) << where;
    for (size_t i = 0; i < a.mNormals.size(); ++i)
        ExpectNear3(a.mNormals[i].mLoadedDir, b.mNormals[i].mLoadedDir, where + " normal " + std::to_string(i));
    ASSERT_EQ(a.mTexCoords.size(), b.mTexCoords.size()) << where;
    for (size_t i = 0; i < a.mTexCoords.size(); ++i) {
        EXPECT_FLOAT_EQ(a.mTexCoords[i].mU, b.mTexCoords[i].mU) << where << " texcoord " << i;
        EXPECT_FLOAT_EQ(a.mTexCoords[i].mV, b.mTexCoords[i].mV) << where << " texcoord " << i;
    }
    // A mesh without triangles draws nothing whether it has an empty batch or none.
    if (a.mTriangles.empty())
        return;
    ASSERT_EQ(a.mBatches.size(), b.mBatches.size()) << where;
    for (size_t i = 0; i < a.mBatches.size(); ++i) {
        EXPECT_EQ(a.mBatches[i].mMaterial, b.mBatches[i].mMaterial) << where << " batch " << i;
        EXPECT_EQ(a.mBatches[i].mTriangles, b.mBatches[i].mTriangles) << where << " batch " << i;
    }
}

inline void ExpectSameMaterial(const CMaterial& a, const CMaterial& b, const CompareOptions& o, const std::string& w)
{
    EXPECT_STREQ(a.mName, b.mName) << w;
    EXPECT_EQ(a.mDoubleSided, b.mDoubleSided) << w;
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(a.mAmbient[k], b.mAmbient[k]) << w;
        EXPECT_FLOAT_EQ(a.mDiffuse[k], b.mDiffuse[k]) << w;
        EXPECT_FLOAT_EQ(a.mSpecular[k], b.mSpecular[k]) << w;
        EXPECT_FLOAT_EQ(a.mEmissive[k], b.mEmissive[k]) << w;
    }
    EXPECT_FLOAT_EQ(a.mShininess, b.mShininess) << w;
    EXPECT_FLOAT_EQ(a.mTransparency, b.mTransparency) << w;
    if (o.textureNames) {
        EXPECT_EQ(a.mDiffuseTex.mFileName, b.mDiffuseTex.mFileName) << w;
        EXPECT_EQ(a.mAlphaTex.mFileName, b.mAlphaTex.mFileName) << w;
    }
}

inline void ExpectSameKeys(const std::vector<CKeyFrame>& a, const std::vector<CKeyFrame>& b, const std::string& w)
{
    ASSERT_EQ(a.size(), b.size()) << w;
    for (size_t k = 0; k < a.size(); ++k) {
        EXPECT_FLOAT_EQ(a[k].mTime, b[k].mTime) << w;
        EXPECT_FLOAT_EQ(a[k].mValue.x, b[k].mValue.x) << w;
        EXPECT_FLOAT_EQ(a[k].mValue.y, b[k].mValue.y) << w;
        EXPECT_FLOAT_EQ(a[k].mValue.z, b[k].mValue.z) << w;
    }
}

// `engine` as the engine's reader built it, `viewer` as the host took it from the importer.
inline void ExpectSameModel(const CModel& engine, const CModel& viewer, const CompareOptions& o = {})
{
    EXPECT_EQ(engine.mAnimated, viewer.mAnimated);
    EXPECT_EQ(engine.mTotalFrames, viewer.mTotalFrames);
    EXPECT_FLOAT_EQ(engine.mFps, viewer.mFps);
    ASSERT_EQ(engine.mMeshes.size(), viewer.mMeshes.size());
    for (size_t i = 0; i < engine.mMeshes.size(); ++i)
        ExpectSameMesh(engine.mMeshes[i], viewer.mMeshes[i], o, "mesh " + std::to_string(i));
    ASSERT_EQ(engine.mMaterials.size(), viewer.mMaterials.size());
    for (size_t i = 0; i < engine.mMaterials.size(); ++i)
        ExpectSameMaterial(engine.mMaterials[i], viewer.mMaterials[i], o, "material " + std::to_string(i));
    ASSERT_EQ(engine.mJoints.size(), viewer.mJoints.size());
    for (size_t i = 0; i < engine.mJoints.size(); ++i) {
        const CJoint &a = engine.mJoints[i], &b = viewer.mJoints[i];
        const std::string w = "joint " + std::to_string(i);
        EXPECT_STREQ(a.mName, b.mName) << w;
        EXPECT_STREQ(a.mParentName, b.mParentName) << w;
        EXPECT_FLOAT_EQ(a.mInitPos.x, b.mInitPos.x) << w;
        EXPECT_FLOAT_EQ(a.mInitPos.y, b.mInitPos.y) << w;
        EXPECT_FLOAT_EQ(a.mInitPos.z, b.mInitPos.z) << w;
        EXPECT_FLOAT_EQ(a.mInitRot.x, b.mInitRot.x) << w;
        EXPECT_FLOAT_EQ(a.mInitRot.y, b.mInitRot.y) << w;
        EXPECT_FLOAT_EQ(a.mInitRot.z, b.mInitRot.z) << w;
        ExpectSameKeys(a.mPosKeys, b.mPosKeys, w + " position keys");
        ExpectSameKeys(a.mRotKeys, b.mRotKeys, w + " rotation keys");
    }
    ASSERT_EQ(engine.mSequences.size(), viewer.mSequences.size());
    for (size_t i = 0; i < engine.mSequences.size(); ++i) {
        EXPECT_STREQ(engine.mSequences[i].mName, viewer.mSequences[i].mName);
        EXPECT_FLOAT_EQ(engine.mSequences[i].mStart, viewer.mSequences[i].mStart);
        EXPECT_FLOAT_EQ(engine.mSequences[i].mEnd, viewer.mSequences[i].mEnd);
        EXPECT_EQ(engine.mSequences[i].mPriority, viewer.mSequences[i].mPriority);
    }
}

} // namespace kestrel::test
