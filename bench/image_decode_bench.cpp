// Decoding speed of the run-length decoders, from memory (no file system in the loop).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "image/codecs.h"

namespace {

constexpr uint16_t kSize = 1024;

void PutU16(std::vector<uint8_t>& v, size_t at, uint16_t x)
{
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}

// 24-bit run-length TGA alternating 16-pixel runs and 16-pixel literal packets.
std::vector<uint8_t> MakeRleTga()
{
    std::vector<uint8_t> f(18, 0);
    f[2] = 10;
    PutU16(f, 12, kSize);
    PutU16(f, 14, kSize);
    f[16] = 24;
    const size_t pixels = size_t(kSize) * kSize;
    for (size_t done = 0; done < pixels; done += 32) {
        f.insert(f.end(), {0x8F, uint8_t(done), uint8_t(done >> 8), uint8_t(done >> 16)});
        f.push_back(0x0F);
        for (int i = 0; i < 16; ++i)
            f.insert(f.end(), {uint8_t(i * 9), uint8_t(done + i), uint8_t(i * 3)});
    }
    return f;
}

// Three-plane PCX whose scan lines mix runs and single bytes.
std::vector<uint8_t> MakePcx()
{
    std::vector<uint8_t> f(128, 0);
    f[0] = 10, f[1] = 5, f[2] = 1, f[3] = 8, f[65] = 3;
    PutU16(f, 8, kSize - 1);
    PutU16(f, 10, kSize - 1);
    PutU16(f, 66, kSize);
    for (unsigned y = 0; y < kSize; ++y) {
        for (unsigned plane = 0; plane < 3; ++plane) {
            for (unsigned x = 0; x < kSize; x += 40) {
                f.insert(f.end(), {0xE0, uint8_t(y + plane)}); // a run of 32
                for (unsigned i = 0; i < 8; ++i)
                    f.push_back(uint8_t((x + i) & 0x3F));
            }
        }
    }
    return f;
}

void BM_DecodeRleTga1024(benchmark::State& state)
{
    const std::vector<uint8_t> file = MakeRleTga();
    for (auto _ : state) {
        SkDecodedImage image;
        if (!nimbus::image::DecodeTga(file.data(), file.size(), image))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(BM_DecodeRleTga1024);

void BM_DecodePcx1024(benchmark::State& state)
{
    const std::vector<uint8_t> file = MakePcx();
    for (auto _ : state) {
        SkDecodedImage image;
        if (!nimbus::image::DecodePcx(file.data(), file.size(), image))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(BM_DecodePcx1024);

} // namespace
