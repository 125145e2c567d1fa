// Normals recalculation on the cube and on skinned and broken triangles.

#include <gtest/gtest.h>

#include <cmath>

#include "normals_recalc.h"
#include "tool_models.h"

using kestrel::smoother::RecalculateNormals;
using kestrel::smoother::SmoothingThreshold;
using namespace kestrel::test;

namespace {

int RunOnCube(int angle, ToolRecord& record)
{
    skGroup* cube = AddCube(&record.model);
    for (int t = 0; t < skGroupGetFaceCount(cube); ++t)
        skTriangleSetSmoothingGroup(skGroupGetTriangle(cube, t), uint8_t(t + 1));
    AddNormal(cube, 5, 5, 5);  // thrown away
    CJobProgress progress;
    EXPECT_TRUE(RecalculateNormals(&record.model, angle, progress));
    EXPECT_EQ(progress.Percent(), 95);  // the last face: 11 x 100 / 12 / 2 + 50
    for (int t = 0; t < skGroupGetFaceCount(cube); ++t)
        EXPECT_EQ(skGroupGetTriangle(cube, t)->smoothingGroup, 0);
    return skGroupGetNormalCount(cube);
}

TEST(NormalsRecalc, CubeKeepsItsEdgesUpToNinetyDegrees)
{
    for (int angle : {30, 90}) {
        ToolRecord record;
        EXPECT_EQ(RunOnCube(angle, record), 24) << angle;
        // Every corner normal is one of the six face directions.
        const skGroup* cube = record.Group();
        for (int n = 0; n < 24; ++n) {
            const skNormal* normal = skGroupGetNormal(cube, n);
            EXPECT_FLOAT_EQ(std::fabs(normal->x) + std::fabs(normal->y) + std::fabs(normal->z), 1.0f);
        }
        const skTriangle* t = skGroupGetTriangle(cube, 0);
        const skTriangle* sibling = skGroupGetTriangle(cube, 1);
        EXPECT_EQ(t->normalIndices[0], sibling->normalIndices[0]);  // one face, one normal
    }
    EXPECT_GT(SmoothingThreshold(90), 0.0f);
}

TEST(NormalsRecalc, CubeIsSmoothBeyondNinetyDegrees)
{
    ToolRecord record;
    EXPECT_EQ(RunOnCube(91, record), 8);
    const skGroup* cube = record.Group();
    // Corner 0 at the origin: the three faces around it average towards (-1, -1, -1).
    const skTriangle* t = skGroupGetTriangle(cube, 0);
    const skNormal* n = skGroupGetNormal(cube, t->normalIndices[0]);
    EXPECT_LT(n->x, 0.0f);
    EXPECT_LT(n->y, 0.0f);
    EXPECT_LT(n->z, 0.0f);
    EXPECT_NEAR(n->x * n->x + n->y * n->y + n->z * n->z, 1.0f, 1e-5f);
}

TEST(NormalsRecalc, UsesSkinnedPositionsAndSkipsBrokenTriangles)
{
    ToolRecord record;
    skGroup* group = skModelAddGroup(&record.model);
    AddVertex(group, 0, 0, 0);
    skVertex* moved = AddVertex(group, 5, 5, 5);
    AddWeight(moved, 0, 1.0f, 1, 0, 0);  // drawn at (1, 0, 0)
    AddVertex(group, 0, 1, 0);
    AddTriangle(group, 0, 1, 2);
    AddTriangle(group, 0, 1, 9);  // names a vertex that does not exist
    CJobProgress progress;
    ASSERT_TRUE(RecalculateNormals(&record.model, 30, progress));
    const skTriangle* good = skGroupGetTriangle(group, 0);
    const skNormal* n = skGroupGetNormal(group, good->normalIndices[1]);
    ASSERT_NE(n, nullptr);
    EXPECT_FLOAT_EQ(n->z, 1.0f);
    const skTriangle* broken = skGroupGetTriangle(group, 1);
    EXPECT_EQ(broken->normalIndices[0], -1);
    EXPECT_EQ(skGroupGetNormalCount(group), 3);
}

TEST(NormalsRecalc, NoGroupsFinishesAndCancelStopsBeforeTheNextGroup)
{
    ToolRecord empty;
    CJobProgress progress;
    EXPECT_TRUE(RecalculateNormals(&empty.model, 30, progress));

    ToolRecord record;
    AddCube(&record.model);
    AddCube(&record.model);
    AddNormal(record.Group(1), 1, 2, 3);
    // Cancel pressed while the first group runs.
    CJobProgress cancelling;
    CJobProgress* watched = &cancelling;
    cancelling = CJobProgress([watched] { watched->RequestCancel(); });
    EXPECT_FALSE(RecalculateNormals(&record.model, 30, cancelling));
    EXPECT_EQ(skGroupGetNormalCount(record.Group(0)), 24);
    EXPECT_EQ(skGroupGetNormalCount(record.Group(1)), 1);  // untouched
}

TEST(NormalsRecalc, StraightAngleJoinsEveryNeighbour)
{
    ToolRecord record;
    skGroup* group = skModelAddGroup(&record.model);
    // Two triangles folded back onto each other along the edge 0-1.
    AddVertex(group, 0, 0, 0);
    AddVertex(group, 1, 0, 0);
    AddVertex(group, 0, 1, 0);
    AddVertex(group, 0, 1, 0.001f);
    AddTriangle(group, 0, 1, 2);
    AddTriangle(group, 1, 0, 3);
    CJobProgress progress;
    ASSERT_TRUE(RecalculateNormals(&record.model, 180, progress));
    EXPECT_EQ(skGroupGetTriangle(group, 1)->normalIndices[0], skGroupGetTriangle(group, 0)->normalIndices[1]);
    ASSERT_TRUE(RecalculateNormals(&record.model, 179, progress));
    EXPECT_NE(skGroupGetTriangle(group, 1)->normalIndices[0], skGroupGetTriangle(group, 0)->normalIndices[1]);
}

} // namespace
