// Whole import path of large STL and OFF files: the import plug-in's Process through the
// engine bridge plus Finalize (freeing the result is not timed), measured in the same run
// as assimp reading the same file with vertex joining and smooth normals (when the build
// found assimp). Each assimp case reports
// "kestrel_per_assimp", the mean time of the matching Kestrel case over its own.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <dlfcn.h>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "formats/off_writer.h"
#include "formats/stl_writer.h"
#include "image_fixtures.h"
#include "nimbus/model.h"
#include "offscreen/headless_gl.h"
#include "plugframe/plugin.h"
#include "temp_dir.h"

#ifdef KESTREL_BENCH_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#endif

namespace {

namespace stlfx = kestrel::test::stl;
namespace offfx = kestrel::test::off;

// The input files live in one folder for the whole run.
const kestrel::test::TempDir& Folder()
{
    static const kestrel::test::TempDir folder;
    return folder;
}

struct InputFile {
    std::string path;
    int64_t bytes = 0;
};

InputFile Store(const std::string& name, const std::vector<uint8_t>& bytes)
{
    InputFile file{Folder().File(name), int64_t(bytes.size())};
    kestrel::test::WriteBytes(file.path, bytes);
    return file;
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// About 1,000,000 triangles over shared grid points (707 x 707 cells, two each).
const InputFile& BinaryStl()
{
    static const InputFile file = Store("terrain_1m.stl", stlfx::WriteBinary("terrain", stlfx::Terrain(707)));
    return file;
}

// About 200,000 triangles.
const InputFile& AsciiStl()
{
    static const InputFile file = Store("terrain_200k.stl", Bytes(stlfx::WriteAscii("terrain", stlfx::Terrain(317))));
    return file;
}

// About 500,000 faces, half quads and half pentagons.
const InputFile& Off()
{
    static const InputFile file = Store("mixed_500k.off", Bytes(offfx::Write(offfx::QuadsAndPentagons(708))));
    return file;
}

// A plug-in module loaded once for the run, as the host keeps its importers loaded.
class LoadedPlugIn {
public:
    explicit LoadedPlugIn(const char* path)
    {
        handle_ = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        if (!handle_)
            return;
        auto create = reinterpret_cast<PlugInCreateFunction>(dlsym(handle_, PLUGIN_CREATE_EXPORT_NAME));
        destroy_ = reinterpret_cast<PlugInDestroyFunction>(dlsym(handle_, PLUGIN_DESTROY_EXPORT_NAME));
        if (create && destroy_)
            plugIn_ = create();
    }
    ~LoadedPlugIn()
    {
        if (plugIn_)
            destroy_(plugIn_);
        if (handle_)
            dlclose(handle_);
    }
    LoadedPlugIn(const LoadedPlugIn&) = delete;
    LoadedPlugIn& operator=(const LoadedPlugIn&) = delete;

    CPlugIn* Get() const { return plugIn_; }

private:
    void* handle_ = nullptr;
    PlugInDestroyFunction destroy_ = nullptr;
    CPlugIn* plugIn_ = nullptr;
};

CPlugIn* StlImporter()
{
    static LoadedPlugIn plugIn(KESTREL_BENCH_LITHOREADER);
    return plugIn.Get();
}

CPlugIn* OffImporter()
{
    static LoadedPlugIn plugIn(KESTREL_BENCH_POLYREADER);
    return plugIn.Get();
}

// Finalize uploads textures; a context makes that step real. Without one the GL calls
// are dropped and the rest is timed all the same.
void EnsureGl()
{
    static const bool once = [] {
        kestrel::offscreen::HeadlessGl::Acquire(64, 64);
        return true;
    }();
    (void)once;
}

// Mean wall time per iteration of the last run of each Kestrel case, by input.
std::map<std::string, double>& KestrelSeconds()
{
    static std::map<std::string, double> seconds;
    return seconds;
}

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Opening is timed by hand: freeing the model (or assimp's scene) is not part of it.
void Record(benchmark::State& state, double seconds, double& total)
{
    state.SetIterationTime(seconds);
    total += seconds;
}

double Mean(const benchmark::State& state, double total)
{
    return state.iterations() ? total / double(state.iterations()) : 0.0;
}

void KestrelImport(benchmark::State& state, const InputFile& input, CPlugIn* plugIn, const char* key)
{
    if (!plugIn) {
        state.SkipWithError("the import plug-in did not load");
        return;
    }
    EnsureGl();
    // The host hands the importer the file name as UTF-16.
    const std::u16string name(input.path.begin(), input.path.end());
    double total = 0;
    for (auto _ : state) {
        CModel model;
        const auto start = Clock::now();
        if (model.ProcessPlugIn(plugIn, reinterpret_cast<const char*>(name.c_str())) != 1 ||
            !model.Finalize(true, true, 1.0f)) {
            state.SkipWithError("import failed");
            return;
        }
        Record(state, SecondsSince(start), total);
        benchmark::DoNotOptimize(model.mMeshes.data());
    }
    KestrelSeconds()[key] = Mean(state, total);
    state.SetBytesProcessed(state.iterations() * input.bytes);
}

void BM_KestrelBinaryStl1M(benchmark::State& state) { KestrelImport(state, BinaryStl(), StlImporter(), "binary_stl"); }
void BM_KestrelAsciiStl200K(benchmark::State& state) { KestrelImport(state, AsciiStl(), StlImporter(), "ascii_stl"); }
void BM_KestrelOff500K(benchmark::State& state) { KestrelImport(state, Off(), OffImporter(), "off"); }

#ifdef KESTREL_BENCH_ASSIMP
void AssimpImport(benchmark::State& state, const InputFile& input, const char* key)
{
    double total = 0;
    for (auto _ : state) {
        Assimp::Importer importer;
        const auto start = Clock::now();
        const aiScene* scene = importer.ReadFile(input.path, aiProcess_JoinIdenticalVertices | aiProcess_GenSmoothNormals);
        if (!scene || !scene->mNumMeshes) {
            state.SkipWithError(importer.GetErrorString());
            return;
        }
        Record(state, SecondsSince(start), total);
        benchmark::DoNotOptimize(scene->mMeshes[0]->mNumVertices);
    }
    const double assimp = Mean(state, total);
    state.SetBytesProcessed(state.iterations() * input.bytes);
    const auto kestrel = KestrelSeconds().find(key);
    if (kestrel != KestrelSeconds().end() && assimp > 0)
        state.counters["kestrel_per_assimp"] = kestrel->second / assimp;
}

void BM_AssimpBinaryStl1M(benchmark::State& state) { AssimpImport(state, BinaryStl(), "binary_stl"); }
void BM_AssimpAsciiStl200K(benchmark::State& state) { AssimpImport(state, AsciiStl(), "ascii_stl"); }
void BM_AssimpOff500K(benchmark::State& state) { AssimpImport(state, Off(), "off"); }
#endif

// Each Kestrel case runs just before the assimp case of the same file.
BENCHMARK(BM_KestrelBinaryStl1M)->Unit(benchmark::kMillisecond)->UseManualTime();
#ifdef KESTREL_BENCH_ASSIMP
BENCHMARK(BM_AssimpBinaryStl1M)->Unit(benchmark::kMillisecond)->UseManualTime();
#endif
BENCHMARK(BM_KestrelAsciiStl200K)->Unit(benchmark::kMillisecond)->UseManualTime();
#ifdef KESTREL_BENCH_ASSIMP
BENCHMARK(BM_AssimpAsciiStl200K)->Unit(benchmark::kMillisecond)->UseManualTime();
#endif
BENCHMARK(BM_KestrelOff500K)->Unit(benchmark::kMillisecond)->UseManualTime();
#ifdef KESTREL_BENCH_ASSIMP
BENCHMARK(BM_AssimpOff500K)->Unit(benchmark::kMillisecond)->UseManualTime();
#endif

} // namespace
