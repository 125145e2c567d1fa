#include <gtest/gtest.h>

#include <set>

#include "formats/off_writer.h"
#include "import_record.h"
#include "off_import.h"
#include "off_parser.h"

namespace {

namespace fx = kestrel::test::off;
using kestrel::off::File;
using kestrel::off::ParseStatus;
using kestrel::test::ImportRecord;

ParseStatus Parse(const std::string& text, File& out)
{
    return kestrel::off::Parse(reinterpret_cast<const uint8_t*>(text.data()), text.size(), out);
}

fx::Mesh Square(std::vector<std::vector<int>> faces)
{
    return {{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0.5f, -0.5f, 0}, std::move(faces)};
}

void ExpectTriangle(skGroup* g, int t, std::array<int, 3> v, std::array<int, 3> edges)
{
    const skTriangle* tri = skGroupGetTriangle(g, t);
    ASSERT_NE(tri, nullptr);
    EXPECT_EQ((std::array<int, 3>{tri->vertexIndices[0], tri->vertexIndices[1], tri->vertexIndices[2]}), v) << t;
    EXPECT_EQ((std::array<int, 3>{tri->edgeFlags[0], tri->edgeFlags[1], tri->edgeFlags[2]}), edges) << t;
}

TEST(OffReader, QuadBecomesAFanWithItsInnerEdgeHidden)
{
    File f;
    ASSERT_EQ(Parse(fx::Write(Square({{0, 1, 2, 3}, {0, 1, 2}})), f), ParseStatus::Ok);
    ImportRecord r;
    ASSERT_TRUE(kestrel::off::BuildModel(f, &r.model));
    skGroup* g = r.Group();
    EXPECT_STREQ(skGroupGetName(g), "Model");
    EXPECT_EQ(skGroupGetVertexCount(g), 5);
    ASSERT_EQ(skGroupGetFaceCount(g), 3);
    ExpectTriangle(g, 0, {0, 1, 2}, {1, 1, 0});
    ExpectTriangle(g, 1, {0, 2, 3}, {0, 1, 1});
    ExpectTriangle(g, 2, {0, 1, 2}, {1, 1, 1});
    // All in one plane: one normal per vertex used, pointing up.
    const skTriangle* t1 = skGroupGetTriangle(g, 1);
    EXPECT_EQ(skGroupGetTriangle(g, 0)->normalIndices[0], t1->normalIndices[0]);
    EXPECT_FLOAT_EQ(skGroupGetNormal(g, t1->normalIndices[2])->z, 1.0f);
}

TEST(OffReader, PentagonShowsOnlyTheOuterEdgeOfItsMiddleTriangle)
{
    File f;
    ASSERT_EQ(Parse(fx::Write(Square({{0, 4, 1, 2, 3}})), f), ParseStatus::Ok);
    ImportRecord r;
    ASSERT_TRUE(kestrel::off::BuildModel(f, &r.model));
    skGroup* g = r.Group();
    ASSERT_EQ(skGroupGetFaceCount(g), 3);
    ExpectTriangle(g, 0, {0, 4, 1}, {1, 1, 0});
    ExpectTriangle(g, 1, {0, 1, 2}, {0, 1, 0});
    ExpectTriangle(g, 2, {0, 2, 3}, {0, 1, 1});
}

TEST(OffReader, LinesThatArePassedOverAndHeaders)
{
    File f;
    EXPECT_EQ(Parse("# made by hand\nCOFF\n\n3 1 0\n0 0 0 255 0 0\n# a comment\n1 0 0\n0 1 0\n3 0 1 2 9 9 9\n", f),
              ParseStatus::Ok);
    EXPECT_EQ(f.VertexCount(), 3u);
    EXPECT_EQ(f.FaceCount(), 1u);
    EXPECT_EQ(Parse("OFF\r\n3 1 0\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n3\t0\t1\t2\r\n", f), ParseStatus::Ok);
    // The counts on the header line are not read as counts.
    EXPECT_EQ(Parse("OFF 3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n", f), ParseStatus::BadCounts);
    EXPECT_EQ(Parse("PLY\n3 1 0\n", f), ParseStatus::BadHeader);
    EXPECT_EQ(Parse("OFF\n0 1 0\n", f), ParseStatus::BadCounts);
    EXPECT_EQ(Parse("OFF\n3 -1 0\n", f), ParseStatus::BadCounts);
    EXPECT_EQ(Parse("OFF\n3 1\n", f), ParseStatus::BadCounts);
}

TEST(OffReader, DamagedFilesFail)
{
    File f;
    EXPECT_EQ(Parse("OFF\n3 2 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n", f), ParseStatus::Truncated);
    EXPECT_EQ(Parse("OFF\n3 1 0\n0 0 0\n1 0\n0 1 0\n3 0 1 2\n", f), ParseStatus::BadVertex);
    EXPECT_EQ(Parse("OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n4 0 1 2\n", f), ParseStatus::BadFace);
    // A face naming a vertex that does not exist is refused, as is a negative index.
    EXPECT_EQ(Parse("OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 3\n", f), ParseStatus::BadIndex);
    EXPECT_EQ(Parse("OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 -1 2\n", f), ParseStatus::BadIndex);
    // Huge counts in a tiny file reserve nothing they could not fill.
    EXPECT_EQ(Parse("OFF\n2000000000 2000000000 0\n0 0 0\n", f), ParseStatus::Truncated);
}

TEST(OffReader, CubeOfQuadsGetsOneNormalPerSideCorner)
{
    fx::Mesh cube{{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1},
                  {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 4, 7, 3}}};
    File f;
    ASSERT_EQ(Parse(fx::Write(cube), f), ParseStatus::Ok);
    ImportRecord r;
    ASSERT_TRUE(kestrel::off::BuildModel(f, &r.model));
    skGroup* g = r.Group();
    EXPECT_EQ(skGroupGetFaceCount(g), 12);
    EXPECT_EQ(skGroupGetNormalCount(g), 24);
    std::set<int> used;
    for (int t = 0; t < 12; ++t)
        for (int k = 0; k < 3; ++k)
            used.insert(skGroupGetTriangle(g, t)->normalIndices[k]);
    EXPECT_EQ(used.size(), 24u);
}

TEST(OffReader, DegenerateFanAroundOneVertexImportsInLinearTime)
{
    // Thousands of area-less triangles at one vertex used to exhaust the smoothing's step
    // budget (a walk per corner over every triangle at the vertex) and were refused.
    constexpr int kFaces = 6000;
    std::string text = "OFF\n3 " + std::to_string(kFaces + 1) + " 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n";
    for (int f = 0; f < kFaces; ++f)
        text += "3 0 0 0\n";
    File f;
    ASSERT_EQ(Parse(text, f), ParseStatus::Ok);
    ImportRecord r;
    ASSERT_TRUE(kestrel::off::BuildModel(f, &r.model));
    skGroup* g = r.Group();
    ASSERT_EQ(skGroupGetFaceCount(g), kFaces + 1);
    // The one real triangle still gets its face normal at every corner.
    const skTriangle* real = skGroupGetTriangle(g, 0);
    for (int k = 0; k < 3; ++k) {
        const skNormal* n = skGroupGetNormal(g, real->normalIndices[k]);
        ASSERT_NE(n, nullptr);
        EXPECT_FLOAT_EQ(n->z, 1.0f);
    }
}

} // namespace
