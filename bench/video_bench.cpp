// How many frames per second each offered codec records at the recording dialog's default
// size, 512 x 384.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "avi_writer.h"
#include "temp_dir.h"
#include "video_codecs.h"

namespace {

using namespace kestrel::capture;

constexpr int kWidth = 512;
constexpr int kHeight = 384;
constexpr int kFramesPerClip = 24;
constexpr double kFps = 24.0;

// A gradient with a square that moves, so inter-frame codecs have motion to code.
std::vector<std::vector<uint8_t>> MovingFrames()
{
    std::vector<std::vector<uint8_t>> frames(kFramesPerClip);
    for (int f = 0; f < kFramesPerClip; ++f) {
        std::vector<uint8_t>& bgr = frames[f];
        bgr.resize(size_t(kWidth) * kHeight * 3);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                uint8_t* p = &bgr[(size_t(y) * kWidth + x) * 3];
                const bool inSquare = x >= 8 * f && x < 8 * f + 96 && y >= 100 && y < 196;
                p[0] = uint8_t(x / 2);
                p[1] = uint8_t(y * 2 / 3);
                p[2] = inSquare ? 255 : uint8_t(x ^ y);
            }
    }
    return frames;
}

void BM_RecordClip(benchmark::State& state)
{
    const std::vector<VideoCodec> codecs = AvailableVideoCodecs();
    if (state.range(0) >= int64_t(codecs.size())) {
        state.SkipWithError("no such codec here");
        return;
    }
    const VideoCodec& codec = codecs[size_t(state.range(0))];
    state.SetLabel(codec.id);
    const std::vector<std::vector<uint8_t>> frames = MovingFrames();
    kestrel::test::TempDir dir;
    for (auto _ : state) {
        CAviWriter writer;
        if (!writer.Open(dir.File("clip.avi"), kWidth, kHeight, kFps, {codec.id, -1})) {
            state.SkipWithError(writer.LastError().c_str());
            return;
        }
        for (const std::vector<uint8_t>& frame : frames)
            writer.WriteFrame(frame.data());
        writer.Close();
    }
    state.counters["frames_per_s"] =
        benchmark::Counter(double(kFramesPerClip), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RecordClip)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

} // namespace
