// The file list's thumbnail of the 1,000,000-triangle terrain STL, opened as the viewer opens
// it: the first picture of a freshly opened model (its drawing arrays built) and the ones
// after it. Off screen at 384 x 336, filtered down to 96 x 84.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "document.h"
#include "formats/stl_writer.h"
#include "headless_gl.h"
#include "image_fixtures.h"
#include "plugin_manager.h"
#include "temp_dir.h"
#include "thumbnail.h"

namespace {

constexpr int kTerrainCells = 707; // 2 x 707 x 707 = 999,698 triangles

void BM_TerrainThumbnail(benchmark::State& state)
{
    const bool first = state.range(0) == 1;
    std::string why;
    if (!kestrel::test::HeadlessGl::Acquire(kestrel::thumbnail::kWidth, kestrel::thumbnail::kHeight, &why)) {
        state.SkipWithError(why.c_str());
        return;
    }
    kestrel::test::TempDir dir;
    const std::string path = dir.File("terrain.stl");
    kestrel::test::WriteBytes(path,
                              kestrel::test::stl::WriteBinary("terrain", kestrel::test::stl::Terrain(kTerrainCells)));
    kestrel::host::CPlugInManager plugIns;
    plugIns.ScanImportersFor(KESTREL_BENCH_PLUGIN_FOLDER, path);
    const std::filesystem::path before = std::filesystem::current_path();
    kestrel::doc::Document document;
    const kestrel::doc::OpenOutcome outcome = kestrel::doc::OpenDocument(path, plugIns, document);
    std::filesystem::current_path(before);
    if (!outcome.ok || document.stats.totalTriangles < 999'000) {
        state.SkipWithError(("the terrain did not open: " + outcome.status).c_str());
        return;
    }
    for (auto _ : state) {
        if (first) {
            // A copy has no drawing arrays yet; making and freeing it is not counted.
            state.PauseTiming();
            auto copy = std::make_unique<kestrel::doc::Document>();
            copy->model = document.model;
            copy->viewMode = document.viewMode;
            state.ResumeTiming();
            benchmark::DoNotOptimize(kestrel::thumbnail::RenderThumbnail(*copy));
            state.PauseTiming();
            copy.reset();
            state.ResumeTiming();
        } else {
            benchmark::DoNotOptimize(kestrel::thumbnail::RenderThumbnail(document));
        }
    }
    state.counters["triangles"] = double(document.stats.totalTriangles);
}
BENCHMARK(BM_TerrainThumbnail)->Arg(1)->Arg(0)->ArgName("first")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
