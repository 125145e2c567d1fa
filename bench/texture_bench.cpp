#include <benchmark/benchmark.h>

#include <cmath>

#include "image/codecs.h"
#include "nimbus/texture.h"

namespace {

CTexture MakeImage(uint32_t size, uint8_t bpp)
{
    CTexture t;
    t.mWidth = size;
    t.mHeight = size;
    t.mBpp = bpp;
    t.InitPixelData();
    for (size_t i = 0; i < t.mData.size(); ++i)
        t.mData[i] = uint8_t(127 + 120 * std::sin(double(i) * 0.001));
    return t;
}

void BM_NormalMap(benchmark::State& state)
{
    const CTexture source = MakeImage(uint32_t(state.range(0)), 24);
    for (auto _ : state) {
        CTexture t = source;
        t.ModNormalMap(2.0f);
        benchmark::DoNotOptimize(t.mData.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}
BENCHMARK(BM_NormalMap)->Arg(512);

void BM_Rotate(benchmark::State& state)
{
    CTexture t = MakeImage(uint32_t(state.range(0)), 32);
    for (auto _ : state) {
        t.ModRotate(SK_ROTATE_CW);
        benchmark::DoNotOptimize(t.mData.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}
BENCHMARK(BM_Rotate)->Arg(1024);

void BM_JpegDecode(benchmark::State& state)
{
    const CTexture t = MakeImage(1024, 24);
    std::vector<uint8_t> file;
    nimbus::image::EncodeJpeg({t.mWidth, t.mHeight, t.mBpp, t.mData.data()}, file);
    for (auto _ : state) {
        SkDecodedImage image;
        benchmark::DoNotOptimize(nimbus::image::DecodeJpeg(file.data(), file.size(), image));
    }
    state.SetBytesProcessed(state.iterations() * int64_t(t.mData.size()));
}
BENCHMARK(BM_JpegDecode);

void BM_PngDecode(benchmark::State& state)
{
    const CTexture t = MakeImage(1024, 32);
    std::vector<uint8_t> file;
    nimbus::image::EncodePng({t.mWidth, t.mHeight, t.mBpp, t.mData.data()}, file);
    for (auto _ : state) {
        SkDecodedImage image;
        benchmark::DoNotOptimize(nimbus::image::DecodePng(file.data(), file.size(), image));
    }
    state.SetBytesProcessed(state.iterations() * int64_t(t.mData.size()));
}
BENCHMARK(BM_PngDecode);

} // namespace
