// Array semantics shared by every element family: resize, get, add and pointer lifetime.

#include <gtest/gtest.h>

#include <vector>

#include "tessera/tessera.h"

namespace {

class ElementArrays : public ::testing::Test {
protected:
    void SetUp() override { skModelInit(&model_); }
    void TearDown() override { skModelNullify(&model_); }
    skModel model_;
};

TEST_F(ElementArrays, ResizeKeepsExistingElementsAndDefaultsNewOnes)
{
    skGroup* group = skModelAddGroup(&model_);
    ASSERT_TRUE(skGroupTriangleArrayResize(group, 2, 0));
    skTriangleSetMaterial(skGroupGetTriangle(group, 1), 7);
    ASSERT_TRUE(skGroupTriangleArrayResize(group, 40, 0));
    EXPECT_EQ(skGroupGetTriangle(group, 1)->materialIndex, 7);
    EXPECT_EQ(skGroupGetTriangle(group, 39)->materialIndex, -1);

    ASSERT_TRUE(skGroupTriangleArrayResize(group, 1, 0));
    ASSERT_TRUE(skGroupTriangleArrayResize(group, 2, 0));
    EXPECT_EQ(skGroupGetTriangle(group, 1)->materialIndex, -1) << "a regrown element starts from its defaults";
}

TEST_F(ElementArrays, GetOutsideTheArrayReturnsNull)
{
    ASSERT_TRUE(skModelGroupArrayResize(&model_, 3, 1));
    EXPECT_NE(skModelGetGroup(&model_, 2), nullptr);
    EXPECT_EQ(skModelGetGroup(&model_, 3), nullptr);
    EXPECT_EQ(skModelGetGroup(&model_, -1), nullptr);
    EXPECT_EQ(skModelGetMaterial(&model_, 0), nullptr);
    EXPECT_EQ(skModelGetLoop(&model_, INT32_MAX), nullptr);
    skGroup* group = skModelGetGroup(&model_, 0);
    EXPECT_EQ(skGroupGetVertex(group, 0), nullptr);
    EXPECT_EQ(skGroupGetNormal(group, -5), nullptr);
    EXPECT_EQ(skGroupGetTCoord(group, 1), nullptr);
    skJoint* joint = skModelAddJoint(&model_);
    EXPECT_EQ(skJointGetPositionKey(joint, 0), nullptr);
    EXPECT_EQ(skJointGetRotationKey(joint, -1), nullptr);
}

TEST_F(ElementArrays, BadCountsFailAndLeaveTheArrayAsItWas)
{
    skGroup* group = skModelAddGroup(&model_);
    ASSERT_TRUE(skGroupVertexArrayResize(group, 5, 0));
    EXPECT_EQ(skGroupVertexArrayResize(group, -1, 0), 0);
    EXPECT_EQ(skGroupVertexArrayResize(group, INT32_MAX, 0), 0);
    EXPECT_EQ(skGroupGetVertexCount(group), 5);
    EXPECT_EQ(skModelLoopArrayResize(&model_, -3, 0), 0);
    EXPECT_EQ(skModelGetLoopCount(&model_), 0);
}

TEST_F(ElementArrays, PointersSurviveGrowth)
{
    skGroup* first = skModelAddGroup(&model_);
    skGroupSetName(first, "first");
    std::vector<skTriangle*> triangles;
    for (int i = 0; i < 5000; ++i) {
        skTriangle* t = skGroupAddTriangle(first);
        ASSERT_NE(t, nullptr);
        skTriangleSetVertexIndices(t, i, i + 1, i + 2);
        triangles.push_back(t);
    }
    for (int i = 0; i < 300; ++i)
        ASSERT_NE(skModelAddGroup(&model_), nullptr);

    EXPECT_EQ(skModelGetGroup(&model_, 0), first);
    EXPECT_STREQ(first->name, "first");
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(skGroupGetTriangle(first, i), triangles[i]);
        ASSERT_EQ(triangles[i]->vertexIndices[0], i);
        ASSERT_EQ(triangles[i]->vertexIndices[2], i + 2);
    }
}

TEST_F(ElementArrays, ShrinkingFreesWhatRemovedElementsOwn)
{
    // Checked by the leak sanitizer: groups, vertices with weights, joints with keys.
    ASSERT_TRUE(skModelGroupArrayResize(&model_, 2, 1));
    skGroup* last = skModelGetGroup(&model_, 1);
    ASSERT_TRUE(skGroupVertexArrayResize(last, 100, 0));
    ASSERT_TRUE(skVertexWeightArrayResize(skGroupGetVertex(last, 99), 4, 0));
    ASSERT_TRUE(skModelJointArrayResize(&model_, 3, 1));
    ASSERT_TRUE(skJointPosKeyArrayResize(skModelGetJoint(&model_, 2), 50, 0));

    ASSERT_TRUE(skGroupVertexArrayResize(last, 10, 0));
    ASSERT_TRUE(skModelGroupArrayResize(&model_, 1, 1));
    ASSERT_TRUE(skModelJointArrayResize(&model_, 0, 1));
    EXPECT_EQ(skModelGetGroupCount(&model_), 1);
    EXPECT_EQ(skModelGetJointCount(&model_), 0);
}

TEST_F(ElementArrays, WeightsAreOneBlockReachedThroughTheVertex)
{
    skGroup* group = skModelAddGroup(&model_);
    ASSERT_TRUE(skGroupVertexArrayResize(group, 1, 0));
    skVertex* vertex = skGroupGetVertex(group, 0);
    ASSERT_TRUE(skVertexWeightArrayResize(vertex, 2, 0));
    EXPECT_EQ(vertex->weightCount, 2);
    vertex->weights[1].jointIndex = 4;

    skWeight* added = skVertexAddWeight(vertex);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(vertex->weightCount, 3);
    EXPECT_EQ(skVertexGetWeightCount(vertex), 3);
    EXPECT_EQ(added, &vertex->weights[2]);
    EXPECT_EQ(vertex->weights[1].jointIndex, 4);
    EXPECT_EQ(skVertexGetWeight(vertex, 1), &vertex->weights[1]);
    EXPECT_EQ(skVertexGetWeight(vertex, 3), nullptr);

    EXPECT_EQ(skVertexWeightArrayResize(vertex, 65536, 0), 0) << "the count field is 16-bit";
    EXPECT_EQ(vertex->weightCount, 3);
    ASSERT_TRUE(skVertexWeightArrayResize(vertex, 0, 0));
    EXPECT_EQ(vertex->weightCount, 0);
    EXPECT_EQ(vertex->weights, nullptr);
}

TEST_F(ElementArrays, ResizeToTheSameCountChangesNothing)
{
    skMaterial* material = skModelAddMaterial(&model_);
    skMaterialSetShininess(material, 5.0f);
    ASSERT_TRUE(skModelMaterialArrayResize(&model_, 1, 0));
    EXPECT_EQ(skModelGetMaterial(&model_, 0), material);
    EXPECT_FLOAT_EQ(material->shininess, 5.0f);
}

TEST_F(ElementArrays, KeyArraysResizeAndAppend)
{
    skJoint* joint = skModelAddJoint(&model_);
    ASSERT_TRUE(skJointRotKeyArrayResize(joint, 3, 0));
    const skKeyFrame key{2.5f, {1.0f, 2.0f, 3.0f}};
    skKeyFrame* added = skJointAddRotationKeyV(joint, &key);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(skJointGetRotationKeyCount(joint), 4);
    EXPECT_EQ(joint->rotationKeys.count, 4);
    EXPECT_EQ(skJointGetRotationKey(joint, 3), added);
    EXPECT_FLOAT_EQ(added->time, 2.5f);
    EXPECT_FLOAT_EQ(added->value[2], 3.0f);
    EXPECT_EQ(skJointGetPositionKeyCount(joint), 0);
}

} // namespace
