// Reading and converting large STL and OFF files into an exchange record, from bytes
// held in memory.

#include <benchmark/benchmark.h>

#include "formats/off_writer.h"
#include "formats/stl_writer.h"
#include "off_import.h"
#include "off_parser.h"
#include "stl_import.h"
#include "stl_parser.h"

namespace {

template <class File, class ParseFn, class BuildFn>
void ImportBytes(benchmark::State& state, const std::vector<uint8_t>& bytes, ParseFn parse, BuildFn build)
{
    for (auto _ : state) {
        File file;
        if (!parse(bytes.data(), bytes.size(), file)) {
            state.SkipWithError("parse failed");
            return;
        }
        skModel model;
        skModelInit(&model);
        if (!build(file, &model))
            state.SkipWithError("conversion failed");
        benchmark::DoNotOptimize(skModelGetNormalCount(&model));
        skModelNullify(&model);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

bool BuildStl(const kestrel::stl::File& file, skModel* model) { return kestrel::stl::BuildModel(file, model); }

bool ParseStl(const uint8_t* data, size_t size, kestrel::stl::File& out)
{
    return kestrel::stl::Parse(data, size, out) == kestrel::stl::ParseStatus::Ok;
}

bool ParseOff(const uint8_t* data, size_t size, kestrel::off::File& out)
{
    return kestrel::off::Parse(data, size, out) == kestrel::off::ParseStatus::Ok;
}

// About 1,000,000 triangles over shared grid points.
void BM_ImportBinaryStl1M(benchmark::State& state)
{
    static const std::vector<uint8_t> bytes = kestrel::test::stl::WriteBinary("terrain", kestrel::test::stl::Terrain(707));
    ImportBytes<kestrel::stl::File>(state, bytes, ParseStl, BuildStl);
    state.counters["triangles"] = double((bytes.size() - 84) / 50);
}
BENCHMARK(BM_ImportBinaryStl1M)->Unit(benchmark::kMillisecond);

// About 200,000 triangles.
void BM_ImportAsciiStl200K(benchmark::State& state)
{
    static const std::string text = kestrel::test::stl::WriteAscii("terrain", kestrel::test::stl::Terrain(317));
    static const std::vector<uint8_t> bytes(text.begin(), text.end());
    ImportBytes<kestrel::stl::File>(state, bytes, ParseStl, BuildStl);
}
BENCHMARK(BM_ImportAsciiStl200K)->Unit(benchmark::kMillisecond);

// About 500,000 faces, half quads and half pentagons.
void BM_ImportOff500K(benchmark::State& state)
{
    static const std::string text = kestrel::test::off::Write(kestrel::test::off::QuadsAndPentagons(708));
    static const std::vector<uint8_t> bytes(text.begin(), text.end());
    ImportBytes<kestrel::off::File>(state, bytes, ParseOff, kestrel::off::BuildModel);
}
BENCHMARK(BM_ImportOff500K)->Unit(benchmark::kMillisecond);

} // namespace
