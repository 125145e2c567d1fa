#include <gtest/gtest.h>

#include <set>

#include "formats/studio3ds_writer.h"
#include "import_record.h"
#include "studio3ds_import.h"
#include "studio3ds_parser.h"

namespace {

namespace fx = kestrel::test::studio3ds;
using kestrel::studio::File;
using kestrel::studio::ParseStatus;
using kestrel::test::ImportRecord;

ParseStatus Parse(const std::vector<uint8_t>& bytes, File& out)
{
    return kestrel::studio::Parse(bytes.data(), bytes.size(), out);
}

void Import(const std::vector<uint8_t>& bytes, ImportRecord& r)
{
    File f;
    ASSERT_EQ(Parse(bytes, f), ParseStatus::Ok);
    ASSERT_TRUE(kestrel::studio::BuildModel(f, &r.model));
}

size_t DistinctNormalIndices(skGroup* g)
{
    std::set<int> used;
    for (int t = 0; t < skGroupGetFaceCount(g); ++t)
        for (int k = 0; k < 3; ++k)
            used.insert(skGroupGetTriangle(g, t)->normalIndices[k]);
    return used.size();
}

TEST(Studio3dsReader, VersionMustBeAboveTwo)
{
    File f;
    EXPECT_EQ(Parse(fx::Write({}, {fx::Cube(true)}, 2), f), ParseStatus::OldVersion);
    EXPECT_EQ(Parse(fx::Write({}, {fx::Cube(true)}, 3), f), ParseStatus::Ok);
    EXPECT_EQ(Parse({0x4D, 0x4C, 6, 0, 0, 0}, f), ParseStatus::NoMainChunk);
    EXPECT_EQ(Parse({0x4D, 0x4D, 6, 0, 0, 0}, f), ParseStatus::NoVersion);
}

TEST(Studio3dsReader, CubeNormalsFollowTheSmoothingGroups)
{
    ImportRecord six, one, none;
    Import(fx::Write({}, {fx::Cube(true)}), six);
    Import(fx::Write({}, {fx::Cube(false)}), one);
    fx::Mesh plain = fx::Cube(false);
    plain.smoothing.clear();
    Import(fx::Write({}, {plain}), none);
    EXPECT_EQ(DistinctNormalIndices(six.Group()), 24u);
    EXPECT_EQ(skGroupGetNormalCount(six.Group()), 24);
    EXPECT_EQ(DistinctNormalIndices(one.Group()), 8u);
    EXPECT_EQ(skGroupGetNormalCount(one.Group()), 8);
    // Without smoothing groups every face smooths with its neighbours.
    EXPECT_EQ(DistinctNormalIndices(none.Group()), 8u);
    const skNormal* n = skGroupGetNormal(one.Group(), 0);
    EXPECT_NEAR(n->x * n->x + n->y * n->y + n->z * n->z, 1.0f, 1e-5f);
}

TEST(Studio3dsReader, MeshGeometryEdgesAndTextureCoordinates)
{
    fx::Mesh mesh;
    mesh.name = "Tri";
    mesh.positions = {1, 2, 3, 4, 5, 6, 7, 8, 10};
    mesh.faces = {{0, 1, 2, 4}, {2, 1, 0, 3}};
    mesh.uv = {0.5f, 40000.0f, 1, 1, -40000.0f, 0.25f};
    ImportRecord r;
    Import(fx::Write({}, {mesh}), r);
    skGroup* g = r.Group();
    EXPECT_STREQ(skGroupGetName(g), "Tri");
    ASSERT_EQ(skGroupGetVertexCount(g), 3);
    // Z up becomes Y up: (x, y, z) -> (x, z, -y).
    const skVec3 v = skVertexGetVertex(skGroupGetVertex(g, 0));
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.y, 3.0f);
    EXPECT_EQ(v.z, -2.0f);
    const skTriangle* t0 = skGroupGetTriangle(g, 0);
    const skTriangle* t1 = skGroupGetTriangle(g, 1);
    EXPECT_EQ((std::array<int, 3>{t0->edgeFlags[0], t0->edgeFlags[1], t0->edgeFlags[2]}), (std::array<int, 3>{1, 0, 0}));
    EXPECT_EQ((std::array<int, 3>{t1->edgeFlags[0], t1->edgeFlags[1], t1->edgeFlags[2]}), (std::array<int, 3>{0, 1, 1}));
    EXPECT_EQ(t1->textureIndices[0], 2);
    EXPECT_EQ(t1->textureIndices[2], 0);
    ASSERT_EQ(skGroupGetTCoordsCount(g), 3);
    EXPECT_EQ(skGroupGetTCoord(g, 0)->v, 0.0f);
    EXPECT_EQ(skGroupGetTCoord(g, 2)->u, 0.0f);
    EXPECT_EQ(skGroupGetTCoord(g, 2)->v, 0.25f);
}

TEST(Studio3dsReader, MaterialsAndFaceMaterialGroups)
{
    fx::Material red;
    red.name = "Red";
    red.shininess = 50;
    red.transparency = 25;
    red.twoSided = true;
    red.texture = "bricks.tga";
    fx::Material matte;
    matte.name = "Matte";
    matte.shininess = 0;
    fx::Mesh mesh = fx::Cube(false);
    mesh.faceMaterials = {{"Red", {0, 1, 500}}, {"Unknown", {2}}, {"Matte", {3}}};
    ImportRecord r;
    Import(fx::Write({red, matte}, {mesh}), r);
    ASSERT_EQ(skModelGetMaterialCount(&r.model), 2);
    const skMaterial* m = skModelGetMaterial(&r.model, 0);
    EXPECT_STREQ(skMaterialGetName(m), "Red");
    EXPECT_FLOAT_EQ(skMaterialGetDiffuse(m).r, 200 * 0.003921569f);
    EXPECT_EQ(skMaterialGetDiffuse(m).a, 1.0f);
    EXPECT_FLOAT_EQ(skMaterialGetShininess(m), 64.0f);
    EXPECT_FLOAT_EQ(skMaterialGetTransparency(m), 0.75f);
    EXPECT_EQ(skMaterialGetDoubleSided(m), 1);
    EXPECT_STREQ(skMaterialGetTextureDiffuse(m), "bricks.tga");
    // A shininess of 0 turns the highlight off.
    const skColor specular = skMaterialGetSpecular(skModelGetMaterial(&r.model, 1));
    EXPECT_EQ(specular.r, 0.0f);
    EXPECT_EQ(specular.a, 1.0f);

    skGroup* g = r.Group();
    EXPECT_EQ(skGroupGetTriangle(g, 0)->materialIndex, 0);
    EXPECT_EQ(skGroupGetTriangle(g, 1)->materialIndex, 0);
    EXPECT_EQ(skGroupGetTriangle(g, 2)->materialIndex, -1);
    EXPECT_EQ(skGroupGetTriangle(g, 3)->materialIndex, 1);
    EXPECT_EQ(skGroupGetTriangle(g, 4)->materialIndex, -1);
}

TEST(Studio3dsReader, OtherObjectsAddNoGroup)
{
    fx::ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x0002);
    w.U32(3);
    w.End();
    w.Begin(0x3D3D);
    w.Begin(0x4000);
    w.Text("Lamp");
    w.Begin(0x4600);  // a light
    w.F32(0);
    w.F32(0);
    w.F32(0);
    w.End();
    w.End();
    fx::WriteObject(w, fx::Cube(true));
    w.End();
    w.End();
    File f;
    ASSERT_EQ(Parse(w.Bytes(), f), ParseStatus::Ok);
    ASSERT_EQ(f.meshes.size(), 1u);
    EXPECT_EQ(f.meshes[0].name, "Box");
}

TEST(Studio3dsReader, DamagedChunksEndSafely)
{
    const auto good = fx::Write({}, {fx::Cube(true)});
    File f;
    // The editor chunk claiming more than the main chunk holds ends the walk: no mesh.
    auto longer = good;
    longer[16 + 2] = 0xFF;
    longer[16 + 3] = 0xFF;
    ASSERT_EQ(Parse(longer, f), ParseStatus::Ok);
    EXPECT_TRUE(f.meshes.empty());
    // A zero length ends the walk the same way.
    auto zero = good;
    std::fill(zero.begin() + 18, zero.begin() + 22, 0);
    ASSERT_EQ(Parse(zero, f), ParseStatus::Ok);
    EXPECT_TRUE(f.meshes.empty());
    // A main chunk longer than the file reads up to the end of the file.
    auto main = good;
    main[5] = 0x7F;
    ASSERT_EQ(Parse(main, f), ParseStatus::Ok);
    EXPECT_EQ(f.meshes.size(), 1u);
    // Every cut of the file is handled.
    for (size_t n = 0; n < good.size(); ++n) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(n));
        Parse(cut, f);
    }
}

TEST(Studio3dsReader, BadCountsAndIndicesRefuseTheMesh)
{
    File f;
    fx::Mesh mesh = fx::Cube(true);
    mesh.faces[4][1] = 8;  // one past the last vertex
    EXPECT_EQ(Parse(fx::Write({}, {mesh}), f), ParseStatus::BadMesh);

    // A vertex count of 65535 in a chunk holding 8 vertices.
    auto bytes = fx::Write({}, {fx::Cube(true)});
    const uint8_t header[] = {0x10, 0x41};
    const auto at = std::search(bytes.begin(), bytes.end(), header, header + 2);
    ASSERT_NE(at, bytes.end());
    at[6] = 0xFF;
    at[7] = 0xFF;
    EXPECT_EQ(Parse(bytes, f), ParseStatus::BadMesh);
}

} // namespace
