#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>

#include "formats/stl_writer.h"
#include "import_record.h"
#include "importkit/side_by_side.h"
#include "stl_import.h"
#include "stl_parser.h"
#include "stl_weld.h"

namespace {

namespace fx = kestrel::test::stl;
using kestrel::stl::Facet;
using kestrel::test::ImportRecord;

kestrel::stl::File FileOf(const std::vector<fx::Facet>& facets)
{
    kestrel::stl::File f;
    for (const auto& in : facets) {
        Facet out;
        std::memcpy(out.normal, in.normal, sizeof(out.normal));
        std::memcpy(out.corners, in.v, sizeof(out.corners));
        f.facets.push_back(out);
    }
    return f;
}

// The reference: a linear search for the first earlier position that compares equal.
std::vector<int32_t> FirstExactMatch(const std::vector<Facet>& facets)
{
    std::vector<std::array<float, 3>> unique;
    std::vector<int32_t> corners;
    for (const auto& f : facets)
        for (const auto& c : f.corners) {
            int32_t found = -1;
            for (size_t i = 0; i < unique.size() && found < 0; ++i)
                if (unique[i][0] == c[0] && unique[i][1] == c[1] && unique[i][2] == c[2])
                    found = int32_t(i);
            if (found < 0) {
                found = int32_t(unique.size());
                unique.push_back({c[0], c[1], c[2]});
            }
            corners.push_back(found);
        }
    return corners;
}

// Few distinct values, so most corners repeat, with both zeros and NaN mixed in.
std::vector<Facet> RepeatingFacets()
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<Facet> facets(400);
    for (size_t i = 0; i < facets.size(); ++i)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k)
                facets[i].corners[c][k] = float((i * 7 + size_t(c) * 13 + size_t(k) * 5) % 6);
    facets[3].corners[0][0] = -0.0f;  // equals 0.0
    facets[3].corners[0][1] = 0.0f;
    facets[3].corners[0][2] = 0.0f;
    facets[4].corners[0][0] = 0.0f;
    facets[4].corners[0][1] = -0.0f;
    facets[4].corners[0][2] = 0.0f;
    facets[5].corners[1][2] = nan;  // never equal, not even to itself
    facets[6].corners[1][0] = facets[5].corners[1][0];
    facets[6].corners[1][1] = facets[5].corners[1][1];
    facets[6].corners[1][2] = nan;
    return facets;
}

std::vector<int32_t> Weld(const kestrel::stl::File& file)
{
    kestrel::stl::WeldedMesh mesh;
    kestrel::stl::WeldCorners(file, mesh);
    return mesh.corners;
}

std::vector<int32_t> Weld(const std::vector<Facet>& facets)
{
    kestrel::stl::File file;
    file.facets = facets;
    return Weld(file);
}

TEST(StlWeld, GivesTheFirstExactMatchResult)
{
    const std::vector<Facet> facets = RepeatingFacets();
    const std::vector<int32_t> corners = Weld(facets);
    EXPECT_EQ(corners, FirstExactMatch(facets));
    EXPECT_EQ(corners[3 * 3], corners[4 * 3]);
    EXPECT_NE(corners[5 * 3 + 1], corners[6 * 3 + 1]);
}

TEST(StlWeld, BinaryRecordsWeldLikeDecodedFacets)
{
    std::vector<fx::Facet> records;
    for (const Facet& in : RepeatingFacets()) {
        fx::Facet out;
        std::memcpy(out.v, in.corners, sizeof(out.v));
        records.push_back(out);
    }
    kestrel::stl::File file;
    const auto bytes = fx::WriteBinary("b", records);
    ASSERT_EQ(kestrel::stl::Parse(bytes.data(), bytes.size(), file), kestrel::stl::ParseStatus::Ok);
    ASSERT_TRUE(file.binary);
    EXPECT_EQ(Weld(file), FirstExactMatch(RepeatingFacets()));
}

TEST(StlWeld, UnsharedCornersGrowTheTableWithoutLosingMatches)
{
    // Far more distinct positions than a closed mesh would have, then all of them again.
    std::vector<Facet> facets(3000);
    for (size_t i = 0; i < facets.size(); ++i)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k)
                facets[i].corners[c][k] = float((i % 1500) * 3 + size_t(c)) + 0.25f * float(k);
    const std::vector<int32_t> corners = Weld(facets);
    EXPECT_EQ(corners, FirstExactMatch(facets));
    EXPECT_EQ(*std::max_element(corners.begin(), corners.end()), 1500 * 3 - 1);
}

TEST(StlImport, CubeWeldsToEightVerticesWithSplitNormals)
{
    ImportRecord r;
    ASSERT_TRUE(kestrel::stl::BuildModel(FileOf(fx::Cube()), &r.model));
    ASSERT_EQ(skModelGetGroupCount(&r.model), 1);
    skGroup* g = r.Group();
    EXPECT_STREQ(skGroupGetName(g), "Object");
    EXPECT_EQ(skGroupGetVertexCount(g), 8);
    ASSERT_EQ(skGroupGetFaceCount(g), 12);
    // Sides meet at 90 degrees: one normal per corner of each side.
    EXPECT_EQ(skGroupGetNormalCount(g), 24);
    std::set<std::pair<int, int>> vertexNormal;
    for (int t = 0; t < 12; ++t) {
        const skTriangle* tri = skGroupGetTriangle(g, t);
        for (int k = 0; k < 3; ++k) {
            vertexNormal.insert({tri->vertexIndices[k], tri->normalIndices[k]});
            const skNormal* n = skGroupGetNormal(g, tri->normalIndices[k]);
            // Every normal of a side equals that side's facet normal.
            EXPECT_FLOAT_EQ(n->x, fx::Cube()[size_t(t)].normal[0]);
            EXPECT_FLOAT_EQ(n->z, fx::Cube()[size_t(t)].normal[2]);
        }
    }
    EXPECT_EQ(vertexNormal.size(), 24u);
}

TEST(StlImport, FlatNeighboursShareNormalsAndTheNameIsKept)
{
    // Two triangles in one plane, then a third folded up by 20 degrees (within the crease).
    std::vector<fx::Facet> facets(3);
    const float a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {1, 1, 0}, d[3] = {0, 1, 0};
    const float e[3] = {2, 0, std::tan(20.0f * 3.1415927f / 180.0f)};
    const float* corners[3][3] = {{a, b, c}, {a, c, d}, {b, e, c}};
    for (int t = 0; t < 3; ++t) {
        for (int k = 0; k < 3; ++k)
            std::memcpy(facets[size_t(t)].v[k], corners[t][k], 12);
        facets[size_t(t)].normal[2] = 1;
    }
    facets[2].normal[0] = -std::sin(20.0f * 3.1415927f / 180.0f);
    facets[2].normal[2] = std::cos(20.0f * 3.1415927f / 180.0f);
    auto file = FileOf(facets);
    file.name = "plate";
    ImportRecord r;
    ASSERT_TRUE(kestrel::stl::BuildModel(file, &r.model));
    skGroup* g = r.Group();
    EXPECT_STREQ(skGroupGetName(g), "plate");
    EXPECT_EQ(skGroupGetVertexCount(g), 5);
    const skTriangle* t0 = skGroupGetTriangle(g, 0);
    const skTriangle* t1 = skGroupGetTriangle(g, 1);
    const skTriangle* t2 = skGroupGetTriangle(g, 2);
    EXPECT_EQ(t0->normalIndices[0], t1->normalIndices[0]);  // a
    EXPECT_EQ(t0->normalIndices[2], t1->normalIndices[1]);  // c
    EXPECT_EQ(t2->normalIndices[0], t0->normalIndices[1]);  // b, smoothed across the fold
    // Normal count is at least the vertex count.
    EXPECT_GE(skGroupGetNormalCount(g), 5);
    const skNormal* nb = skGroupGetNormal(g, t0->normalIndices[1]);
    EXPECT_LT(nb->x, 0.0f);
    EXPECT_NEAR(nb->x * nb->x + nb->y * nb->y + nb->z * nb->z, 1.0f, 1e-5f);
}

kestrel::stl::File Parsed(const std::vector<uint8_t>& bytes)
{
    kestrel::stl::File file;
    EXPECT_EQ(kestrel::stl::Parse(bytes.data(), bytes.size(), file), kestrel::stl::ParseStatus::Ok);
    return file;
}

const skNormal* CornerNormal(const skGroup* g, int triangle, int corner)
{
    return skGroupGetNormal(g, skGroupGetTriangle(g, triangle)->normalIndices[corner]);
}

// Every corner normal has unit length and lies along its side's outward normal.
void ExpectCubeSideNormals(const skGroup* g)
{
    ASSERT_EQ(skGroupGetFaceCount(g), 12);
    const std::vector<fx::Facet> cube = fx::Cube();
    for (int t = 0; t < 12; ++t)
        for (int k = 0; k < 3; ++k) {
            const skNormal* n = CornerNormal(g, t, k);
            const float* side = cube[size_t(t)].normal;
            EXPECT_NEAR(n->x * n->x + n->y * n->y + n->z * n->z, 1.0f, 1e-5f) << t;
            EXPECT_NEAR(n->x * side[0] + n->y * side[1] + n->z * side[2], 1.0f, 1e-5f) << t;
        }
}

TEST(StlImport, ZeroAndNonFiniteFacetNormalsComeFromTheCorners)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float stored[4][3] = {{0, 0, 0}, {nan, nan, nan}, {0, nan, 1}, {inf, 0, 0}};
    std::vector<fx::Facet> facets = fx::Cube();
    for (size_t i = 0; i < facets.size(); ++i)
        std::memcpy(facets[i].normal, stored[i % 4], sizeof(facets[i].normal));

    for (const auto& bytes : {fx::WriteBinary("b", facets), kestrel::test::Bytes(fx::WriteAscii("a", facets))}) {
        ImportRecord r;
        ASSERT_TRUE(kestrel::stl::BuildModel(Parsed(bytes), &r.model));
        ExpectCubeSideNormals(r.Group());
        // The sides still meet at a crease: one normal per corner of each side.
        EXPECT_EQ(skGroupGetNormalCount(r.Group()), 24);
    }
}

// The plug-in frees a binary file's bytes once welded; the groups are those made from the
// file kept whole.
TEST(StlImport, FreeingTheBytesAfterWeldingBuildsTheSameGroup)
{
    std::vector<fx::Facet> facets(3);
    const float corners[3][3][3] = {
        {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {1, 1, 0.5f}, {0, 1, 0}}, {{5, 0, 0}, {6, 0, 0}, {5, 1, 0}}};
    for (size_t t = 0; t < facets.size(); ++t)
        std::memcpy(facets[t].v, corners[t], sizeof(facets[t].v));
    const std::vector<uint8_t> bytes = fx::WriteBinary("b", facets);
    ImportRecord whole, freed;
    ASSERT_TRUE(kestrel::stl::BuildModel(Parsed(bytes), &whole.model));
    kestrel::stl::File file = Parsed(bytes);
    ASSERT_TRUE(kestrel::stl::BuildModelFreeingBytes(file, &freed.model));
    EXPECT_EQ(file.binaryFile.capacity(), 0u) << "the bytes are still held";

    const skGroup *a = whole.Group(), *b = freed.Group();
    ASSERT_EQ(skGroupGetVertexCount(a), skGroupGetVertexCount(b));
    ASSERT_EQ(skGroupGetFaceCount(a), 3);
    ASSERT_EQ(skGroupGetFaceCount(b), 3);
    ASSERT_EQ(skGroupGetNormalCount(a), skGroupGetNormalCount(b));
    for (int32_t v = 0; v < skGroupGetVertexCount(a); ++v)
        EXPECT_EQ(std::memcmp(skGroupGetVertex(a, v), skGroupGetVertex(b, v), sizeof(float) * 3), 0) << v;
    for (int32_t t = 0; t < 3; ++t) {
        EXPECT_EQ(std::memcmp(skGroupGetTriangle(a, t)->vertexIndices, skGroupGetTriangle(b, t)->vertexIndices, 12), 0);
        EXPECT_EQ(std::memcmp(skGroupGetTriangle(a, t)->normalIndices, skGroupGetTriangle(b, t)->normalIndices, 12), 0);
    }
    for (int32_t n = 0; n < skGroupGetNormalCount(a); ++n)
        EXPECT_EQ(std::memcmp(skGroupGetNormal(a, n), skGroupGetNormal(b, n), sizeof(skNormal)), 0) << n;
}

TEST(StlImport, StoredNonZeroNormalsStayAsRead)
{
    // Two separate triangles in the z = 0 plane whose corners face +z. The first stores
    // a leaning normal, the second a long one pointing the other way; neither is corrected.
    std::vector<fx::Facet> facets(2);
    const float corners[2][3][3] = {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{5, 0, 0}, {6, 0, 0}, {5, 1, 0}}};
    std::memcpy(facets[0].v, corners[0], sizeof(facets[0].v));
    std::memcpy(facets[1].v, corners[1], sizeof(facets[1].v));
    facets[0].normal[1] = 0.6f;
    facets[0].normal[2] = 0.8f;
    facets[1].normal[2] = -2.0f;
    ImportRecord r;
    ASSERT_TRUE(kestrel::stl::BuildModel(Parsed(fx::WriteBinary("b", facets)), &r.model));
    for (int k = 0; k < 3; ++k) {
        const skNormal* leaning = CornerNormal(r.Group(), 0, k);
        EXPECT_FLOAT_EQ(leaning->x, 0.0f);
        EXPECT_FLOAT_EQ(leaning->y, 0.6f);
        EXPECT_FLOAT_EQ(leaning->z, 0.8f);
        const skNormal* down = CornerNormal(r.Group(), 1, k);
        EXPECT_FLOAT_EQ(down->z, -1.0f);
    }
}

TEST(StlImport, EachSolidBecomesItsOwnWeldedGroup)
{
    // The same cube twice: welding never joins corners of different solids.
    const std::string text = fx::WriteAscii("", fx::Cube()) + fx::WriteAscii("lid", fx::Cube());
    ImportRecord r;
    ASSERT_TRUE(kestrel::stl::BuildModel(Parsed(kestrel::test::Bytes(text)), &r.model));
    ASSERT_EQ(skModelGetGroupCount(&r.model), 2);
    EXPECT_STREQ(skGroupGetName(r.Group(0)), "Object");
    EXPECT_STREQ(skGroupGetName(r.Group(1)), "lid");
    for (int i = 0; i < 2; ++i) {
        skGroup* g = r.Group(i);
        EXPECT_EQ(skGroupGetVertexCount(g), 8);
        EXPECT_EQ(skGroupGetNormalCount(g), 24);
        ExpectCubeSideNormals(g);
        for (int t = 0; t < skGroupGetFaceCount(g); ++t)
            for (int k = 0; k < 3; ++k)
                EXPECT_LT(skGroupGetTriangle(g, t)->vertexIndices[k], 8);
    }
}

} // namespace

namespace {

// Every array of two groups, byte for byte.
void ExpectSameGroups(const skGroup* a, const skGroup* b)
{
    ASSERT_EQ(skGroupGetVertexCount(a), skGroupGetVertexCount(b));
    ASSERT_EQ(skGroupGetFaceCount(a), skGroupGetFaceCount(b));
    ASSERT_EQ(skGroupGetNormalCount(a), skGroupGetNormalCount(b));
    for (int32_t v = 0; v < skGroupGetVertexCount(a); ++v)
        ASSERT_EQ(std::memcmp(skGroupGetVertex(a, v), skGroupGetVertex(b, v), sizeof(float) * 3), 0) << v;
    for (int32_t t = 0; t < skGroupGetFaceCount(a); ++t) {
        ASSERT_EQ(std::memcmp(skGroupGetTriangle(a, t)->vertexIndices, skGroupGetTriangle(b, t)->vertexIndices, 12), 0);
        ASSERT_EQ(std::memcmp(skGroupGetTriangle(a, t)->normalIndices, skGroupGetTriangle(b, t)->normalIndices, 12), 0);
    }
    for (int32_t n = 0; n < skGroupGetNormalCount(a); ++n)
        ASSERT_EQ(std::memcmp(skGroupGetNormal(a, n), skGroupGetNormal(b, n), sizeof(skNormal)), 0) << n;
}

} // namespace

// A file large enough for its work to be split over two threads builds, stored normal
// by stored normal and crease by crease, what one thread builds.
TEST(StlImport, ALargeFileBuildsTheSameGroupOnTwoThreadsAsOnOne)
{
    std::vector<fx::Facet> facets = fx::Terrain(200); // 80,000 facets
    ASSERT_GE(facets.size(), kestrel::importkit::kSideBySideFromTriangles);
    for (size_t f = 0; f < facets.size(); f += 7)
        std::fill(std::begin(facets[f].normal), std::end(facets[f].normal), 0.0f); // taken from the corners
    for (size_t f = 3; f < facets.size(); f += 11)
        facets[f].v[1][2] += 0.5f; // creases, and corners no longer shared
    const std::vector<uint8_t> bytes = fx::WriteBinary("large", facets);

    ImportRecord one, freed, two;
    ASSERT_TRUE(kestrel::stl::BuildModel(Parsed(bytes), &one.model, kestrel::stl::Threads::One));
    ASSERT_TRUE(kestrel::stl::BuildModel(Parsed(bytes), &two.model, kestrel::stl::Threads::AsWorthwhile));
    kestrel::stl::File file = Parsed(bytes);
    ASSERT_TRUE(kestrel::stl::BuildModelFreeingBytes(file, &freed.model));
    ASSERT_EQ(skGroupGetFaceCount(one.Group()), int32_t(facets.size()));
    ExpectSameGroups(one.Group(), two.Group());
    ExpectSameGroups(one.Group(), freed.Group());
}
