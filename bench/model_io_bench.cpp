#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "doc_model.h"
#include "formats/ms3d_writer.h"
#include "nimbus/model.h"

namespace {

std::string TempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

// A grid of 65,534 vertices and as many triangles in one group.
std::string WriteLargeMs3d()
{
    namespace fx = kestrel::test::ms3d;
    fx::Model m;
    const int side = 256;
    for (int i = 0; i < 65534; ++i)
        m.vertices.push_back({float(i % side), float(i / side), 0.0f, int8_t(i % 3 - 1)});
    for (int i = 0; i < 65534; ++i) {
        fx::Triangle t;
        const int a = i / 2;
        t.v[0] = uint16_t(a);
        t.v[1] = uint16_t(std::min(a + 1, 65533));
        t.v[2] = uint16_t(std::min(a + side, 65533));
        m.triangles.push_back(t);
    }
    fx::Group g;
    for (int i = 0; i < 65534; ++i)
        g.triangles.push_back(uint16_t(i));
    m.groups.push_back(g);
    m.joints.push_back({"root", "", {}, {}, {{0, {0, 0, 0}}}, {}});
    const std::string path = TempPath("kestrel-bench.ms3d");
    const std::vector<uint8_t> bytes = fx::Write(m);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    return path;
}

void BM_Ms3dLoad65534(benchmark::State& state)
{
    const std::string path = WriteLargeMs3d();
    for (auto _ : state) {
        CModel model;
        benchmark::DoNotOptimize(model.ImportMs3dFile(path.c_str()));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_Ms3dLoad65534)->Unit(benchmark::kMillisecond);

CDocModel MillionTriangles()
{
    CDocModel m;
    CMesh& mesh = m.mMeshes.emplace_back();
    const int side = 708; // about 500,000 vertices, 1,000,000 triangles
    mesh.mVertices.resize(size_t(side) * side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            float* p = mesh.mVertices[size_t(y) * side + size_t(x)].mLoadedPos;
            p[0] = float(x);
            p[1] = float(y);
        }
    mesh.mNormals.resize(1);
    mesh.mTriangles.reserve(1000000);
    for (int y = 0; y + 1 < side && mesh.mTriangles.size() < 1000000; ++y)
        for (int x = 0; x + 1 < side && mesh.mTriangles.size() < 1000000; ++x)
            for (int k = 0; k < 2; ++k) {
                CTriangle& t = mesh.mTriangles.emplace_back();
                const int32_t i = y * side + x;
                t.mVertices[0] = i;
                t.mVertices[1] = k ? i + side + 1 : i + 1;
                t.mVertices[2] = k ? i + side : i + side + 1;
            }
    return m;
}

void BM_Kxm3SaveMillionTriangles(benchmark::State& state)
{
    const CDocModel model = MillionTriangles();
    const std::string path = TempPath("kestrel-bench-save.kxm3");
    for (auto _ : state)
        benchmark::DoNotOptimize(model.SaveNative(path));
    state.SetBytesProcessed(state.iterations() * int64_t(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_Kxm3SaveMillionTriangles)->Unit(benchmark::kMillisecond);

void BM_Kxm3LoadMillionTriangles(benchmark::State& state)
{
    const std::string path = TempPath("kestrel-bench-load.kxm3");
    MillionTriangles().SaveNative(path);
    for (auto _ : state) {
        CDocModel model;
        benchmark::DoNotOptimize(model.LoadNative(path));
    }
    state.SetBytesProcessed(state.iterations() * int64_t(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_Kxm3LoadMillionTriangles)->Unit(benchmark::kMillisecond);

} // namespace
