// The normals recalculation on a model of a million triangles and the landscape
// generator on a 1024 x 1024 height image, each into an exchange record in memory.

#include <benchmark/benchmark.h>

#include "normals_recalc.h"
#include "terrain_build.h"

namespace {

// A wavy grid of cols x rows squares, two triangles each, sharing its vertices.
void BuildGrid(skModel* model, int cols, int rows)
{
    skGroup* group = skModelAddGroup(model);
    const int32_t width = cols + 1;
    skGroupVertexArrayResize(group, width * (rows + 1), 0);
    for (int32_t r = 0; r <= rows; ++r)
        for (int32_t c = 0; c < width; ++c) {
            skVertex* v = skGroupGetVertex(group, r * width + c);
            v->x = float(c);
            v->y = float((c * 7 + r * 13) % 5) * 0.3f;
            v->z = float(r);
        }
    skGroupTriangleArrayResize(group, cols * rows * 2, 0);
    int32_t t = 0;
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < cols; ++c) {
            const int32_t a = r * width + c;
            skTriangleSetVertexIndices(skGroupGetTriangle(group, t++), a + 1, a, a + width);
            skTriangleSetVertexIndices(skGroupGetTriangle(group, t++), a + width, a + width + 1, a + 1);
        }
}

void BM_SmootherMillionTriangles(benchmark::State& state)
{
    skModel model;
    skModelInit(&model);
    BuildGrid(&model, 1000, 500);  // 1,000,000 triangles
    for (auto _ : state) {
        CJobProgress progress;
        benchmark::DoNotOptimize(kestrel::smoother::RecalculateNormals(&model, 30, progress));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * skModelGetFaceCount(&model));
    skModelNullify(&model);
}
BENCHMARK(BM_SmootherMillionTriangles)->Unit(benchmark::kMillisecond);

void BM_TerrainerHeightImage1024(benchmark::State& state)
{
    kestrel::terrain::HeightImage image;
    image.width = image.height = 1024;
    image.bpp = 24;
    image.pixels.resize(size_t(1024) * 1024 * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = uint8_t((i * 31) >> 8);
    skModel model;
    skModelInit(&model);
    for (auto _ : state) {
        CJobProgress progress;
        benchmark::DoNotOptimize(kestrel::terrain::BuildTerrain(&model, image, {}, progress));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * skModelGetFaceCount(&model));
    skModelNullify(&model);
}
BENCHMARK(BM_TerrainerHeightImage1024)->Unit(benchmark::kMillisecond);

} // namespace
