// The landscape job and the rules of its size fields, without a window.

#include <gtest/gtest.h>

#include "extent_rules.h"
#include "height_image.h"
#include "image_fixtures.h"
#include "temp_dir.h"
#include "terrain_build.h"
#include "tool_models.h"

using namespace kestrel::terrain;
using kestrel::test::ToolRecord;

namespace {

// Rows given top first, as they look; stored bottom first like every decoded image.
HeightImage Gray(uint32_t width, std::initializer_list<std::initializer_list<uint8_t>> topFirst)
{
    HeightImage image;
    image.width = width;
    image.height = uint32_t(topFirst.size());
    image.bpp = 24;
    image.pixels.resize(size_t(image.width) * image.height * 3);
    uint32_t row = image.height;
    for (const auto& values : topFirst) {
        --row;
        uint32_t c = 0;
        for (uint8_t v : values) {
            uint8_t* p = &image.pixels[(size_t(row) * width + c++) * 3];
            p[0] = v;
            p[1] = p[2] = 0;
        }
    }
    return image;
}

TEST(TerrainBuild, TwoByTwoImageGivesTwoTrianglesWithHeights)
{
    ToolRecord record;
    skModelAddGroup(&record.model);  // cleared by the job
    const HeightImage image = Gray(2, {{0, 255}, {255, 0}});
    TerrainOptions options;
    options.lengthX = 10;
    options.widthZ = 4;
    options.heightY = 7;
    options.tileV = 2;
    CJobProgress progress;
    ASSERT_TRUE(BuildTerrain(&record.model, image, options, progress));

    ASSERT_EQ(skModelGetGroupCount(&record.model), 1);
    skGroup* group = record.Group();
    EXPECT_STREQ(skGroupGetName(group), "Landscape Mesh");
    EXPECT_EQ(skGroupGetVertexCount(group), 4);
    EXPECT_EQ(skGroupGetFaceCount(group), 2);
    EXPECT_EQ(skGroupGetNormalCount(group), 4);
    EXPECT_EQ(skGroupGetTCoordsCount(group), 4);
    EXPECT_EQ(skModelGetAnimationLength(&record.model), 0);
    EXPECT_FLOAT_EQ(skModelGetFPS(&record.model), 24.0f);

    // Grid row 0 is the image's top row (stored last): (0, 255).
    const skVertex* v0 = skGroupGetVertex(group, 0);
    const skVertex* v1 = skGroupGetVertex(group, 1);
    const skVertex* v3 = skGroupGetVertex(group, 3);
    EXPECT_FLOAT_EQ(v0->y, 0.0f);
    EXPECT_FLOAT_EQ(v1->y, 7.0f);  // white lies at Y exactly
    EXPECT_FLOAT_EQ(v1->x, 5.0f);
    EXPECT_FLOAT_EQ(v3->z, 2.0f);
    EXPECT_EQ(v0->weightCount, 0);
    EXPECT_FLOAT_EQ(skGroupGetTCoord(group, 0)->v, 2.0f);
    EXPECT_FLOAT_EQ(skGroupGetTCoord(group, 3)->u, 0.5f);
    EXPECT_FLOAT_EQ(skGroupGetTCoord(group, 3)->v, 1.0f);

    const skTriangle* first = skGroupGetTriangle(group, 0);
    const skTriangle* second = skGroupGetTriangle(group, 1);
    EXPECT_EQ((std::vector<int>(first->vertexIndices, first->vertexIndices + 3)), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ((std::vector<int>(second->vertexIndices, second->vertexIndices + 3)), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(first->normalIndices[2], 2);
    EXPECT_EQ(second->textureIndices[1], 3);
    EXPECT_EQ(first->materialIndex, -1);

    ASSERT_EQ(skModelGetMaterialCount(&record.model), 1);
    const skMaterial* material = skModelGetMaterial(&record.model, 0);
    EXPECT_STREQ(skMaterialGetName(material), "Land Surface");
    EXPECT_STREQ(skMaterialGetTextureDiffuse(material), "landsurface.jpg");
    EXPECT_FLOAT_EQ(skMaterialGetAmbient(material).a, 0.0f);
    EXPECT_FLOAT_EQ(skMaterialGetDiffuse(material).g, 0.75f);
}

TEST(TerrainBuild, LevelGroundHasUpNormalsAndQuadEdges)
{
    ToolRecord record;
    const HeightImage image = Gray(3, {{9, 9, 9}, {9, 9, 9}, {9, 9, 9}});
    TerrainOptions options;
    CJobProgress progress;
    ASSERT_TRUE(BuildTerrain(&record.model, image, options, progress));
    skGroup* group = record.Group();
    EXPECT_EQ(skGroupGetFaceCount(group), 8);
    for (int n = 0; n < 9; ++n) {
        const skNormal* normal = skGroupGetNormal(group, n);
        EXPECT_FLOAT_EQ(normal->y, 1.0f) << n;
        EXPECT_FLOAT_EQ(normal->x, 0.0f) << n;
    }
    for (int t = 0; t < 8; ++t) {
        const skTriangle* tri = skGroupGetTriangle(group, t);
        EXPECT_EQ(tri->edgeFlags[0], 1);
        EXPECT_EQ(tri->edgeFlags[1], 1);
        EXPECT_EQ(tri->edgeFlags[2], 0);  // the square's diagonal
    }
    EXPECT_EQ(progress.Percent(), 66);  // the last row of three: 2 x 100 / 3

    options.quadWireframe = false;
    options.textureCoords = false;
    ASSERT_TRUE(BuildTerrain(&record.model, image, options, progress));
    EXPECT_EQ(skGroupGetTriangle(record.Group(), 5)->edgeFlags[2], 1);
    EXPECT_EQ(skGroupGetTCoordsCount(record.Group()), 0);
    EXPECT_EQ(skGroupGetTriangle(record.Group(), 5)->textureIndices[0], -1);
}

TEST(TerrainBuild, SlopeNormalLeansAwayFromTheRise)
{
    ToolRecord record;
    // Heights rise along +X: normals tilt towards -X.
    const HeightImage image = Gray(2, {{0, 255}, {0, 255}});
    TerrainOptions options;
    options.lengthX = 2;
    options.widthZ = 2;
    options.heightY = 1;
    CJobProgress progress;
    ASSERT_TRUE(BuildTerrain(&record.model, image, options, progress));
    const skNormal* n = skGroupGetNormal(record.Group(), 0);
    EXPECT_LT(n->x, 0.0f);
    EXPECT_GT(n->y, 0.0f);
    EXPECT_NEAR(n->x * n->x + n->y * n->y + n->z * n->z, 1.0f, 1e-5f);
}

TEST(TerrainBuild, OnePixelWideImageHasNoTriangles)
{
    ToolRecord record;
    CJobProgress progress;
    ASSERT_TRUE(BuildTerrain(&record.model, Gray(1, {{1}, {2}, {3}}), {}, progress));
    EXPECT_EQ(skGroupGetVertexCount(record.Group()), 3);
    EXPECT_EQ(skGroupGetFaceCount(record.Group()), 0);
    EXPECT_EQ(skGroupGetNormalCount(record.Group()), 3);
    EXPECT_FLOAT_EQ(skGroupGetNormal(record.Group(), 1)->y, 0.0f);  // no faces: zero normal
}

TEST(TerrainBuild, CancelStopsAndEmptyImageFails)
{
    ToolRecord record;
    CJobProgress progress;
    progress.RequestCancel();
    EXPECT_FALSE(BuildTerrain(&record.model, Gray(2, {{1, 2}, {3, 4}}), {}, progress));
    CJobProgress fresh;
    EXPECT_FALSE(BuildTerrain(&record.model, HeightImage{}, {}, fresh));
}

TEST(TerrainImage, AlphaBecomesGrayAndFilesLoadByExtension)
{
    HeightImage rgba;
    rgba.width = 2;
    rgba.height = 1;
    rgba.bpp = 32;
    rgba.pixels = {1, 2, 3, 200, 4, 5, 6, 7};
    const HeightImage gray = AlphaAsGray(rgba);
    EXPECT_EQ(gray.bpp, 24);
    EXPECT_EQ(gray.pixels, (std::vector<uint8_t>{200, 200, 200, 7, 7, 7}));
    EXPECT_TRUE(AlphaAsGray(Gray(1, {{1}})).Empty());

    kestrel::test::TempDir dir;
    const kestrel::test::RefImage ref = kestrel::test::MakePattern(4, 3, 32, kestrel::test::PatternColours::kFull);
    kestrel::test::TgaOptions tga;
    tga.depth = 32;
    const auto bytes = kestrel::test::MakeTga(ref, tga);
    kestrel::test::WriteBytes(dir.File("h.TGA"), bytes);
    kestrel::test::WriteBytes(dir.File("h.txt"), bytes);
    HeightImage loaded;
    ASSERT_TRUE(LoadHeightImage(dir.File("h.TGA"), loaded));
    EXPECT_EQ(loaded.width, 4u);
    EXPECT_EQ(loaded.height, 3u);
    EXPECT_EQ(loaded.bpp, 32);
    EXPECT_EQ(loaded.pixels, ref.pixels);
    EXPECT_FALSE(LoadHeightImage(dir.File("h.txt"), loaded));
    EXPECT_FALSE(LoadHeightImage(dir.File("missing.tga"), loaded));
}

TEST(TerrainExtent, AspectRatioAndLinkedSteps)
{
    const Extent wide = ExtentAfterLoad(256, 128);
    EXPECT_DOUBLE_EQ(wide.x, 100.0);
    EXPECT_DOUBLE_EQ(wide.z, 50.0);
    const Extent tall = ExtentAfterLoad(128, 256);
    EXPECT_DOUBLE_EQ(tall.x, 50.0);
    EXPECT_DOUBLE_EQ(tall.z, 100.0);

    const Extent kept = KeepAspect({80.0, 100.0}, 200, 100);
    EXPECT_DOUBLE_EQ(kept.z, 40.0);
    EXPECT_DOUBLE_EQ(KeepAspect({80.0, 30.0}, 100, 200).x, 15.0);

    const Extent linked = StepExtent({50.0, 20.0}, 0.1, false, true);
    EXPECT_DOUBLE_EQ(linked.x, 50.1);
    EXPECT_NEAR(linked.z, 20.1, 1e-9);
    const Extent alone = StepExtent({50.0, 20.0}, 0.1, false, false);
    EXPECT_DOUBLE_EQ(alone.z, 20.0);
    // Z at its floor: what it cannot lose is taken back from X.
    const Extent floor = StepExtent({50.0, 1.0}, -0.1, false, true);
    EXPECT_DOUBLE_EQ(floor.z, 1.0);
    EXPECT_NEAR(floor.x, 50.0, 1e-9);
    // The stepped side clamped: the other stays.
    const Extent top = StepExtent({1000.0, 20.0}, 0.1, false, true);
    EXPECT_DOUBLE_EQ(top.x, 1000.0);
    EXPECT_DOUBLE_EQ(top.z, 20.0);
    EXPECT_NEAR(StepExtent({10.0, 30.0}, 0.3, true, true).x, 10.3, 1e-9);
}

} // namespace
