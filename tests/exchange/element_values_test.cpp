// Set and get twins keep every exchanged value.

#include <gtest/gtest.h>

#include "tessera/tessera.h"

namespace {

class ElementValues : public ::testing::Test {
protected:
    void SetUp() override { skModelInit(&model_); }
    void TearDown() override { skModelNullify(&model_); }
    skModel model_;
};

TEST_F(ElementValues, ModelSettings)
{
    skModelSetFPS(&model_, 30.0f);
    skModelSetAnimationLength(&model_, 120);
    EXPECT_FLOAT_EQ(skModelGetFPS(&model_), 30.0f);
    EXPECT_EQ(skModelGetAnimationLength(&model_), 120);
}

TEST_F(ElementValues, GeometryRecords)
{
    skGroup* group = skModelAddGroup(&model_);
    skGroupSetFlags(group, 3);
    EXPECT_EQ(skGroupGetFlags(group), 3);

    ASSERT_TRUE(skGroupVertexArrayResize(group, 1, 0));
    skVertex* vertex = skGroupGetVertex(group, 0);
    const float position[3] = {1.0f, -2.0f, 3.5f};
    skVertexSetVertex(vertex, position);
    skVertexSetVertex(vertex, nullptr);
    const skVec3 got = skVertexGetVertex(vertex);
    EXPECT_EQ(got.x, 1.0f);
    EXPECT_EQ(got.y, -2.0f);
    EXPECT_EQ(got.z, 3.5f);

    skWeight* weight = skVertexAddWeight(vertex);
    const float local[3] = {0.5f, 0.25f, -1.0f};
    skWeightSetVertex(weight, local);
    skWeightSetJointInd(weight, 6);
    skWeightSetWValue(weight, 0.4f);
    EXPECT_EQ(skWeightGetVertex(weight).z, -1.0f);
    EXPECT_EQ(skWeightGetJointInd(weight), 6);
    EXPECT_FLOAT_EQ(skWeightGetWValue(weight), 0.4f);

    skTriangle* t = skGroupAddTriangle(group);
    skTriangleSetVertexIndices(t, 1, 2, 3);
    skTriangleSetNormalIndices(t, 4, 5, 6);
    skTriangleSetTextureIndices(t, 7, -1, 9);
    skTriangleSetEdgeFlags(t, 0, 1, 0);
    skTriangleSetMaterial(t, 2);
    skTriangleSetSmoothingGroup(t, 255);
    EXPECT_EQ(t->vertexIndices[2], 3);
    EXPECT_EQ(t->normalIndices[0], 4);
    EXPECT_EQ(t->textureIndices[1], -1);
    EXPECT_EQ(t->edgeFlags[0], 0);
    EXPECT_EQ(t->edgeFlags[1], 1);
    EXPECT_EQ(t->materialIndex, 2);
    EXPECT_EQ(t->smoothingGroup, 255);

    const skNormal up{0.0f, 1.0f, 0.0f};
    skNormal* n = skGroupAddNormalV(group, &up);
    EXPECT_EQ(n->y, 1.0f);
    skNormalSet(n, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(n->x, 1.0f);
    EXPECT_EQ(n->y, 0.0f);

    ASSERT_TRUE(skGroupTCoordArrayResize(group, 1, 0));
    skTCoordSet(skGroupGetTCoord(group, 0), 0.25f, 0.75f);
    EXPECT_EQ(skGroupGetTCoord(group, 0)->v, 0.75f);
}

TEST_F(ElementValues, Material)
{
    skMaterial* m = skModelAddMaterial(&model_);
    const float ambient[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    const float diffuse[4] = {0.5f, 0.6f, 0.7f, 0.8f};
    const float specular[4] = {0.9f, 1.0f, 0.0f, 0.5f};
    const float emissive[4] = {0.3f, 0.3f, 0.3f, 0.3f};
    skMaterialSetAmbient(m, ambient);
    skMaterialSetDiffuse(m, diffuse);
    skMaterialSetSpecular(m, specular);
    skMaterialSetEmissive(m, emissive);
    skMaterialSetDiffuse(m, nullptr);
    skMaterialSetShininess(m, 12.0f);
    skMaterialSetTransparency(m, 0.5f);
    skMaterialSetDoubleSided(m, 1);
    EXPECT_FLOAT_EQ(skMaterialGetAmbient(m).b, 0.3f);
    EXPECT_FLOAT_EQ(skMaterialGetDiffuse(m).a, 0.8f);
    EXPECT_FLOAT_EQ(skMaterialGetSpecular(m).g, 1.0f);
    EXPECT_FLOAT_EQ(skMaterialGetEmissive(m).r, 0.3f);
    EXPECT_FLOAT_EQ(skMaterialGetShininess(m), 12.0f);
    EXPECT_FLOAT_EQ(skMaterialGetTransparency(m), 0.5f);
    EXPECT_EQ(skMaterialGetDoubleSided(m), 1);

    skMaterialSetTextureDiffuse(m, "skin.tga");
    skMaterialSetTextureBumpW(m, u"bump.png");
    skMaterialSetTextureAlpha(m, "alpha.bmp");
    skMaterialSetTextureReflectW(m, u"env.jpg");
    EXPECT_STREQ(skMaterialGetTextureDiffuse(m), "skin.tga");
    EXPECT_STREQ(skMaterialGetTextureBump(m), "bump.png");
    EXPECT_STREQ(skMaterialGetTextureAlpha(m), "alpha.bmp");
    EXPECT_STREQ(skMaterialGetTextureReflect(m), "env.jpg");
    skMaterialSetTextureDiffuseW(m, nullptr);
    skMaterialSetTextureAlphaW(m, u"");
    EXPECT_STREQ(skMaterialGetTextureDiffuse(m), "");
    EXPECT_STREQ(skMaterialGetTextureAlpha(m), "");
}

TEST_F(ElementValues, JointKeysAndLoops)
{
    skJoint* joint = skModelAddJoint(&model_);
    skJointSetName(joint, "hip");
    skJointSetParentName(joint, "root");
    const float position[3] = {1.0f, 2.0f, 3.0f};
    const float rotation[3] = {0.1f, 0.2f, 0.3f};
    skJointSetInitialPosition(joint, position);
    skJointSetInitialRotation(joint, rotation);
    EXPECT_STREQ(skJointGetName(joint), "hip");
    EXPECT_STREQ(skJointGetParentName(joint), "root");
    EXPECT_EQ(skJointGetInitialPosition(joint).y, 2.0f);
    EXPECT_FLOAT_EQ(skJointGetInitialRotation(joint).z, 0.3f);

    ASSERT_TRUE(skJointPosKeyArrayResize(joint, 1, 0));
    skKeyFrame* key = skJointGetPositionKey(joint, 0);
    skKeyFrameSetTime(key, 12.0f);
    skKeyFrameSetValue(key, position);
    EXPECT_EQ(skKeyFrameGetTime(key), 12.0f);
    EXPECT_EQ(skKeyFrameGetValue(key).z, 3.0f);

    skLoop value{};
    skLoopSetName(&value, "walk");
    skLoopSetStartTime(&value, 1.0f);
    skLoopSetEndTime(&value, 24.0f);
    skLoopSetPriority(&value, 65535);
    skLoop* loop = skModelAddLoopV(&model_, &value);
    ASSERT_NE(loop, nullptr);
    EXPECT_NE(loop, &value);
    EXPECT_STREQ(skLoopGetName(loop), "walk");
    EXPECT_EQ(skLoopGetStartTime(loop), 1.0f);
    EXPECT_EQ(skLoopGetEndTime(loop), 24.0f);
    EXPECT_EQ(skLoopGetPriority(loop), 65535);
}

} // namespace
