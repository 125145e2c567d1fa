#include "video_command.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "avi_settings.h"
#include "avi_writer.h"
#include "document_session.h"
#include "model_frame.h"
#include "offscreen/headless_gl.h"
#include "video_codecs.h"

namespace kestrel::cli {
namespace {

constexpr int kLargestSide = 8192;
constexpr int kLastFrame = 1000000;

bool WholeNumber(const std::string& text, long low, long high, int& out)
{
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != 0 || v < low || v > high)
        return false;
    out = int(v);
    return true;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsMp4(const std::string& path)
{
    return Lower(std::filesystem::path(path).extension().string()) == ".mp4";
}

std::string DefaultCodec(const std::string& output)
{
    if (!IsMp4(output))
        return "mjpeg";
    for (const capture::VideoCodec& codec : capture::AvailableVideoCodecs())
        if (codec.label == "H.264")
            return codec.id;
    return "mpeg4";
}

// The frame buffer's top-row-first RGBA as the writer's bottom-row-first BGR.
void ToBottomUpBgr(const std::vector<uint8_t>& rgbaTopFirst, int width, int height, std::vector<uint8_t>& bgr)
{
    bgr.resize(size_t(width) * size_t(height) * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = rgbaTopFirst.data() + size_t(height - 1 - y) * size_t(width) * 4;
        uint8_t* to = bgr.data() + size_t(y) * size_t(width) * 3;
        for (int x = 0; x < width; ++x, from += 4, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
}

} // namespace

bool ParseVideoArguments(const std::vector<std::string>& args, VideoCommandOptions& o, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-') {
            if (!o.input.empty()) {
                error = "video takes one file: " + a;
                return false;
            }
            o.input = a;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        const std::string& v = args[++i];
        if (a == "-o") {
            o.output = v;
        } else if (a == "--plugins") {
            o.plugInFolder = v;
        } else if (a == "--size") {
            const size_t x = v.find('x');
            if (x == std::string::npos || !WholeNumber(v.substr(0, x), capture::kSmallestVideoSide, kLargestSide, o.width) ||
                !WholeNumber(v.substr(x + 1), capture::kSmallestVideoSide, kLargestSide, o.height)) {
                error = "--size takes WIDTHxHEIGHT, each from 4 to 8192";
                return false;
            }
        } else if (a == "--fps") {
            char* end = nullptr;
            o.fps = std::strtod(v.c_str(), &end);
            if (v.empty() || *end != 0 || !(o.fps > 0.0 && o.fps <= 1000.0)) {
                error = "--fps takes a frame rate above 0, at most 1000";
                return false;
            }
        } else if (a == "--sequence") {
            o.sequence = v;
        } else if (a == "--start" || a == "--end") {
            if (!WholeNumber(v, 1, kLastFrame, a == "--start" ? o.start : o.end)) {
                error = a + " takes a frame number from 1";
                return false;
            }
        } else if (a == "--codec") {
            o.codec = v;
        } else if (a == "--quality") {
            if (!WholeNumber(v, 0, 100000, o.quality)) {
                error = "--quality takes a whole number";
                return false;
            }
        } else {
            error = "unknown option " + a;
            return false;
        }
    }
    if (o.input.empty() || o.output.empty()) {
        error = "video needs a FILE and -o OUT.avi or OUT.mp4";
        return false;
    }
    const std::string extension = Lower(std::filesystem::path(o.output).extension().string());
    if (extension != ".avi" && extension != ".mp4") {
        error = "the video's name ends in .avi or .mp4: " + o.output;
        return false;
    }
    if (!o.codec.empty()) {
        capture::VideoCodec codec;
        if (!capture::FindVideoCodec(o.codec, codec)) {
            error = "no video encoder named " + o.codec;
            return false;
        }
    }
    return true;
}

int VideoCommand(const VideoCommandOptions& o)
{
    DocumentSession session(o.plugInFolder, o.input);
    doc::OpenOutcome outcome;
    if (!session.OpenForDrawing(o.width, o.height, outcome))
        return 1;
    doc::Document& d = session.Document();
    CModel& model = d.model;
    if (d.viewMode != doc::kModel || model.mSequences.empty()) {
        std::fprintf(stderr, "%s has no animation to record\n", o.input.c_str());
        return 1;
    }
    std::vector<capture::LoopRange> loops;
    int chosen = o.sequence.empty() ? 0 : -1;
    for (const CAnimSequence& sequence : model.mSequences) {
        if (sequence.mName == o.sequence)
            chosen = int(loops.size());
        loops.push_back(capture::LoopRange{sequence.mName, sequence.mStart, sequence.mEnd});
    }
    if (chosen < 0) {
        std::fprintf(stderr, "%s has no sequence named %s\n", o.input.c_str(), o.sequence.c_str());
        return 1;
    }
    capture::AviSettings settings = capture::DefaultAviSettings(o.input, o.fps > 0 ? o.fps : model.mFps, loops, chosen);
    settings.output = o.output;
    settings.width = o.width;
    settings.height = o.height;
    settings.startFrame = o.start;
    if (o.end > 0)
        settings.endFrame = o.end;
    if (settings.frameRate <= 0)
        settings.frameRate = 25.0; // a model that gives no rate
    const std::vector<float> frames = capture::FramesToRecord(settings);
    if (frames.empty()) {
        std::fprintf(stderr, "No frames from %d to %d\n", settings.startFrame, settings.endFrame);
        return 1;
    }
    capture::CAviWriter writer;
    const capture::VideoOptions options{o.codec.empty() ? DefaultCodec(o.output) : o.codec, o.quality};
    if (!writer.Open(o.output, o.width, o.height, settings.frameRate, options)) {
        std::fprintf(stderr, "AVI failed to init! %s\n", writer.LastError().c_str());
        return 1;
    }
    const capture::LoopRange& loop = loops[size_t(chosen)];
    model.AniSetLoop(unsigned(chosen), true);
    model.AniStop();
    model.AniPlay(capture::FrameTime(loop, frames.front()));
    const prefs::StateBlock display;
    const prefs::SettingsBlock look;
    const bool terminal = isatty(STDERR_FILENO) != 0;
    std::vector<uint8_t> bgr;
    session.Gl()->MakeCurrent();
    for (size_t i = 0; i < frames.size(); ++i) {
        model.AniSetTime(capture::FrameTime(loop, frames[i]));
        DrawModelFrame(d, o.width, o.height, display, look, CameraChoice{});
        ToBottomUpBgr(session.Gl()->ReadPixels(), o.width, o.height, bgr);
        if (!writer.WriteFrame(bgr.data())) {
            if (terminal)
                std::fprintf(stderr, "\n");
            std::fprintf(stderr, "%s\n", writer.LastError().c_str());
            writer.Abandon();
            return 1;
        }
        if (terminal)
            std::fprintf(stderr, "\rRecording frame %zu of %zu (%d%%)", i + 1, frames.size(),
                         int((i + 1) * 100 / frames.size()));
    }
    if (terminal)
        std::fprintf(stderr, "\n");
    if (!writer.Close()) {
        std::fprintf(stderr, "%s\n", writer.LastError().c_str());
        return 1;
    }
    return 0;
}

} // namespace kestrel::cli
