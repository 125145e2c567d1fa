#pragma once
// Reads a video back through FFmpeg's demuxer and decoder, for the tests.
#include <cstdint>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/rational.h>
}

namespace kestrel::test {

struct Clip {
    bool opened = false;
    std::string container;
    int width = 0, height = 0;
    AVRational frameRate{0, 1};
    int64_t headerFrames = 0;
    std::vector<std::vector<uint8_t>> frames; // top row first, BGR, width * 3 a row
};

Clip ReadClip(const std::string& path);

} // namespace kestrel::test
