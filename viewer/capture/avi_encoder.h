#pragma once
// The video encoders live in a module of their own, loaded the first time a video is
// recorded or its encoders listed: FFmpeg pulls in about a hundred libraries, whose loading
// would otherwise slow every start of the viewer and the command line by some 40 ms.

#include <cstdint>
#include <string>
#include <vector>

#include "video_codecs.h"

namespace kestrel::capture {

// What CAviWriter does, as the module's writer does it (see CAviWriter).
class IAviEncoder {
public:
    virtual ~IAviEncoder() = default;
    virtual bool Open(const std::string& path, int width, int height, double fps, const VideoOptions& options) = 0;
    virtual bool WriteFrame(const uint8_t* bgrBottomUp) = 0;
    virtual bool Close() = 0;
    virtual void Abandon() = 0;
    virtual int FramesWritten() const = 0;
    virtual bool IsOpen() const = 0;
    virtual const std::string& LastError() const = 0;
    virtual int EncodedWidth() const = 0;
    virtual int EncodedHeight() const = 0;
};

// Found through the program's run path, beside the engine library, else beside the program
// or in ../lib/kestrel from it.
constexpr const char* kVideoEncoderModule = "libkestrel_video_encoders.so";
constexpr const char* kNewAviEncoderName = "KestrelNewAviEncoder";
constexpr const char* kVideoCodecsName = "KestrelVideoCodecs";
using NewAviEncoderEntry = IAviEncoder* (*)();
using VideoCodecsEntry = void (*)(std::vector<VideoCodec>* out);

struct VideoEncoderModule {
    NewAviEncoderEntry newAviEncoder = nullptr;
    VideoCodecsEntry videoCodecs = nullptr;
};

// The module's entries, loaded on the first call and kept; null with the reason in why
// when it cannot be loaded.
const VideoEncoderModule* LoadVideoEncoderModule(std::string* why = nullptr);

} // namespace kestrel::capture
