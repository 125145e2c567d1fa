#include <gtest/gtest.h>

#include "importkit/corner_normals.h"

namespace {

using kestrel::importkit::BuildCornerNormals;
using kestrel::importkit::CornerNormals;

TEST(CornerNormals, TakenIndexEndsTheWalkAndNewNormalsAreNumberedInOrder)
{
    // Three triangles around vertex 0; 0 and 2 join, 1 joins nobody.
    const int32_t corners[] = {0, 1, 2, 0, 2, 3, 0, 3, 4};
    const float faceNormals[] = {0, 0, 2, 1, 0, 0, 0, 0, 1};
    CornerNormals out;
    ASSERT_TRUE(BuildCornerNormals(corners, 3, 5, faceNormals, [](size_t i, size_t j) { return i != 1 && j != 1; }, out));
    EXPECT_EQ(out.cornerNormal, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 0, 6, 7}));
    // The first normal averages faces 0 and 2 before normalising.
    EXPECT_FLOAT_EQ(out.normals[2], 1.0f);
    EXPECT_EQ(out.normals.size(), 8u * 3);
}

TEST(CornerNormals, HugeFanOfTrianglesThatNeverJoinIsRefused)
{
    const size_t count = 12000;
    std::vector<int32_t> corners;
    for (size_t t = 0; t < count; ++t)
        corners.insert(corners.end(), {0, int32_t(t + 1), int32_t(t + 2)});
    std::vector<float> faceNormals(count * 3, 0.0f);
    CornerNormals out;
    EXPECT_FALSE(BuildCornerNormals(corners.data(), count, count + 2, faceNormals.data(),
                                    [](size_t, size_t) { return false; }, out));
    // The same fan in one plane costs a step per corner and passes.
    EXPECT_TRUE(BuildCornerNormals(corners.data(), count, count + 2, faceNormals.data(),
                                   [](size_t, size_t) { return true; }, out));
}

} // namespace
