// The documented defaults of new elements, which importers rely on.

#include <gtest/gtest.h>

#include "tessera/tessera.h"

namespace {

class ElementDefaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        skModelInit(&model_);
        group_ = skModelAddGroup(&model_);
    }
    void TearDown() override { skModelNullify(&model_); }
    skModel model_;
    skGroup* group_ = nullptr;
};

TEST_F(ElementDefaults, Triangle)
{
    for (skTriangle* t : {skGroupAddTriangle(group_), (skGroupTriangleArrayResize(group_, 2, 0), skGroupGetTriangle(group_, 1))}) {
        ASSERT_NE(t, nullptr);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(t->vertexIndices[i], 0);
            EXPECT_EQ(t->normalIndices[i], 0);
            EXPECT_EQ(t->textureIndices[i], -1);
            EXPECT_EQ(t->edgeFlags[i], 1);
        }
        EXPECT_EQ(t->materialIndex, -1);
        EXPECT_EQ(t->smoothingGroup, 0);
    }
}

TEST_F(ElementDefaults, VertexWeightNormalTexCoord)
{
    ASSERT_TRUE(skGroupVertexArrayResize(group_, 1, 0));
    const skVertex* v = skGroupGetVertex(group_, 0);
    EXPECT_EQ(v->x, 0.0f);
    EXPECT_EQ(v->weightCount, 0);
    EXPECT_EQ(v->weights, nullptr);

    const skWeight* w = skVertexAddWeight(skGroupGetVertex(group_, 0));
    EXPECT_EQ(w->jointIndex, -1);
    EXPECT_FLOAT_EQ(w->value, 1.0f);
    EXPECT_EQ(w->y, 0.0f);

    const skNormal* n = skGroupAddNormalV(group_, nullptr);
    EXPECT_EQ(n->x, 0.0f);
    EXPECT_EQ(n->z, 0.0f);
    ASSERT_TRUE(skGroupTCoordArrayResize(group_, 1, 0));
    EXPECT_EQ(skGroupGetTCoord(group_, 0)->u, 0.0f);
    EXPECT_EQ(skGroupGetTCoord(group_, 0)->v, 0.0f);
}

TEST_F(ElementDefaults, Material)
{
    const skMaterial* m = skModelAddMaterial(&model_);
    EXPECT_STREQ(m->name, "");
    EXPECT_EQ(m->doubleSided, 0);
    const skColor ambient = skMaterialGetAmbient(m);
    EXPECT_FLOAT_EQ(ambient.r, 0.12f);
    EXPECT_FLOAT_EQ(ambient.a, 1.0f);
    EXPECT_FLOAT_EQ(skMaterialGetDiffuse(m).g, 0.75f);
    EXPECT_FLOAT_EQ(skMaterialGetSpecular(m).b, 0.75f);
    EXPECT_FLOAT_EQ(skMaterialGetEmissive(m).r, 0.0f);
    EXPECT_FLOAT_EQ(skMaterialGetEmissive(m).a, 1.0f);
    EXPECT_FLOAT_EQ(m->shininess, 38.4f);
    EXPECT_FLOAT_EQ(m->transparency, 1.0f);
    EXPECT_STREQ(skMaterialGetTextureDiffuse(m), "");
    EXPECT_STREQ(skMaterialGetTextureReflect(m), "");
}

TEST_F(ElementDefaults, JointKeyLoopGroup)
{
    const skJoint* j = skModelAddJoint(&model_);
    EXPECT_STREQ(j->name, "");
    EXPECT_STREQ(j->parentName, "");
    EXPECT_EQ(j->initialRotation[1], 0.0f);
    EXPECT_EQ(j->positionKeys.count, 0);
    const skKeyFrame* k = skJointAddPositionKeyV(skModelGetJoint(&model_, 0), nullptr);
    EXPECT_EQ(k->time, 0.0f);
    EXPECT_EQ(k->value[0], 0.0f);
    const skLoop* l = skModelAddLoopV(&model_, nullptr);
    EXPECT_STREQ(l->name, "");
    EXPECT_EQ(l->startTime, 0.0f);
    EXPECT_EQ(l->endTime, 0.0f);
    EXPECT_EQ(l->priority, 0);
    EXPECT_STREQ(group_->name, "");
    EXPECT_EQ(group_->flags, 0);
}

} // namespace
