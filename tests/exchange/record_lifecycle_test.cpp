// The exchange record as a host uses it: allocate, init, fill, nullify, free.

#include <gtest/gtest.h>

#include <cstdlib>

#include "tessera/tessera.h"

extern "C" int tessera_c_header_check(void);

namespace {

// A record in exactly the memory a host allocates.
struct HostRecord {
    HostRecord() : model(static_cast<skModel*>(std::malloc(SK_MODEL_RECORD_SIZE))) { skModelInit(model); }
    ~HostRecord()
    {
        skModelNullify(model);
        std::free(model);
    }
    skModel* model;
};

void FillOneOfEach(skModel* model)
{
    skGroup* group = skModelAddGroup(model);
    ASSERT_TRUE(skGroupVertexArrayResize(group, 3, 0));
    ASSERT_NE(skVertexAddWeight(skGroupGetVertex(group, 0)), nullptr);
    ASSERT_NE(skGroupAddTriangle(group), nullptr);
    ASSERT_NE(skGroupAddNormalV(group, nullptr), nullptr);
    ASSERT_TRUE(skGroupTCoordArrayResize(group, 2, 0));
    ASSERT_NE(skModelAddMaterial(model), nullptr);
    skJoint* joint = skModelAddJoint(model);
    ASSERT_NE(skJointAddPositionKeyV(joint, nullptr), nullptr);
    ASSERT_NE(skJointAddRotationKeyV(joint, nullptr), nullptr);
    ASSERT_NE(skModelAddLoopV(model, nullptr), nullptr);
}

TEST(RecordLifecycle, FitsTheHostAllocationAndStartsEmpty)
{
    HostRecord record;
    EXPECT_LE(sizeof(skModel), size_t(SK_MODEL_RECORD_SIZE));
    EXPECT_FLOAT_EQ(skModelGetFPS(record.model), 24.0f);
    EXPECT_EQ(skModelGetAnimationLength(record.model), 0);
    EXPECT_EQ(skModelGetGroupCount(record.model), 0);
    EXPECT_EQ(skModelGetMaterialCount(record.model), 0);
    EXPECT_EQ(skModelGetJointCount(record.model), 0);
    EXPECT_EQ(skModelGetLoopCount(record.model), 0);
    EXPECT_EQ(skModelGetVertexCount(record.model), 0);
    EXPECT_EQ(skModelGetGroup(record.model, 0), nullptr);
}

TEST(RecordLifecycle, NullifyEmptiesEverythingAndTheRecordStaysUsable)
{
    HostRecord record;
    skModelSetFPS(record.model, 30.0f);
    skModelSetAnimationLength(record.model, 40);
    FillOneOfEach(record.model);
    skModelNullify(record.model);
    EXPECT_EQ(skModelGetGroupCount(record.model), 0);
    EXPECT_EQ(skModelGetMaterialCount(record.model), 0);
    EXPECT_EQ(skModelGetJointCount(record.model), 0);
    EXPECT_EQ(skModelGetLoopCount(record.model), 0);
    EXPECT_FLOAT_EQ(skModelGetFPS(record.model), 24.0f);
    EXPECT_EQ(skModelGetAnimationLength(record.model), 0);

    // Filled again after nullify; the destructor's nullify frees it (checked by the leak sanitizer).
    FillOneOfEach(record.model);
    EXPECT_EQ(skModelGetVertexCount(record.model), 3);
}

TEST(RecordLifecycle, NullifyLoopsKeepsTheRest)
{
    HostRecord record;
    FillOneOfEach(record.model);
    skModelNullifyLoops(record.model);
    EXPECT_EQ(skModelGetLoopCount(record.model), 0);
    EXPECT_EQ(skModelGetGroupCount(record.model), 1);
    EXPECT_EQ(skModelGetJointCount(record.model), 1);
}

TEST(RecordLifecycle, TotalsAddUpOverGroups)
{
    HostRecord record;
    skGroup* a = skModelAddGroup(record.model);
    skGroup* b = skModelAddGroup(record.model);
    ASSERT_TRUE(skGroupVertexArrayResize(a, 4, 0));
    ASSERT_TRUE(skGroupVertexArrayResize(b, 6, 0));
    ASSERT_TRUE(skGroupTriangleArrayResize(a, 2, 0));
    ASSERT_TRUE(skGroupTriangleArrayResize(b, 5, 0));
    ASSERT_TRUE(skGroupNormalArrayResize(b, 7, 0));
    ASSERT_TRUE(skGroupTCoordArrayResize(a, 9, 0));
    EXPECT_EQ(skModelGetVertexCount(record.model), 10);
    EXPECT_EQ(skModelGetFaceCount(record.model), 7);
    EXPECT_EQ(skModelGetNormalCount(record.model), 7);
    EXPECT_EQ(skModelGetTCoordsCount(record.model), 9);
}

TEST(RecordLifecycle, GroupNullifyResetsTheGroupAndNullifyNormalsOnlyNormals)
{
    HostRecord record;
    FillOneOfEach(record.model);
    skGroup* group = skModelGetGroup(record.model, 0);
    skGroupSetName(group, "mesh");
    skGroupSetFlags(group, 2);
    skTriangleSetNormalIndices(skGroupGetTriangle(group, 0), 0, 0, 0);

    skGroupNullifyNormals(group);
    EXPECT_EQ(skGroupGetNormalCount(group), 0);
    EXPECT_EQ(skGroupGetFaceCount(group), 1);
    EXPECT_EQ(skGroupGetVertexCount(group), 3);

    skGroupNullify(group);
    EXPECT_EQ(skGroupGetVertexCount(group), 0);
    EXPECT_EQ(skGroupGetFaceCount(group), 0);
    EXPECT_EQ(skGroupGetTCoordsCount(group), 0);
    EXPECT_STREQ(skGroupGetName(group), "");
    EXPECT_EQ(skGroupGetFlags(group), 0);
    EXPECT_EQ(skModelGetGroupCount(record.model), 1);
}

TEST(RecordLifecycle, NullRecordsAreIgnored)
{
    skModelInit(nullptr);
    skModelNullify(nullptr);
    skModelNullifyLoops(nullptr);
    EXPECT_EQ(skModelGroupArrayResize(nullptr, 2, 1), 0);
    EXPECT_EQ(skModelAddGroup(nullptr), nullptr);
    EXPECT_EQ(skModelGetVertexCount(nullptr), 0);
    EXPECT_EQ(skGroupAddTriangle(nullptr), nullptr);
    EXPECT_EQ(skGroupGetName(nullptr), nullptr);
    EXPECT_EQ(skVertexAddWeight(nullptr), nullptr);
    EXPECT_EQ(skJointAddPositionKeyV(nullptr, nullptr), nullptr);
    skMaterialSetTextureDiffuseW(nullptr, u"x");
    skTriangleSetVertexIndices(nullptr, 1, 2, 3);
    EXPECT_EQ(skWeightGetJointInd(nullptr), -1);
}

TEST(RecordLifecycle, HeaderCompilesAndWorksFromC) { EXPECT_EQ(tessera_c_header_check(), 1); }

} // namespace
