#include "avi_settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

namespace kestrel::capture {
namespace {

constexpr char kVideoExtension[] = ".avi";
constexpr double kHighestFrameRate = 1000.0;
// A tiny speed over a long loop would otherwise ask for millions of frames.
constexpr size_t kMostVideoFrames = 1000000;

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

} // namespace

int LoopRange::FrameCount() const
{
    const float frames = std::floor(end - start) + 1.0f;
    return frames >= 1.0f && frames < 1e9f ? int(frames) : 1;
}

AviSettings DefaultAviSettings(const std::string& documentPath, double frameRate, const std::vector<LoopRange>& loops,
                               int currentLoop)
{
    AviSettings settings;
    if (!documentPath.empty())
        settings.output = std::filesystem::path(documentPath).replace_extension(kVideoExtension).string();
    settings.frameRate = frameRate;
    settings.loop = currentLoop >= 0 && currentLoop < int(loops.size()) ? currentLoop : 0;
    settings.startFrame = 1;
    settings.endFrame = loops.empty() ? 1 : loops[size_t(settings.loop)].FrameCount();
    return settings;
}

std::string ValidateAviSettings(AviSettings& settings)
{
    if (settings.output.empty())
        return "Please select the output file";
    // MP4 is taken as asked; anything else becomes an AVI name.
    const std::string extension = Upper(std::filesystem::path(settings.output).extension().string());
    if (extension != ".AVI" && extension != ".MP4")
        settings.output += kVideoExtension;
    if (settings.width < kSmallestVideoSide)
        return "Viewport width should be more than 3 pixels";
    if (settings.height < kSmallestVideoSide)
        return "Viewport height should be more than 3 pixels";
    // A video needs a rate; a model without one would fail only once recording starts.
    if (!(settings.frameRate > 0.0) || settings.frameRate > kHighestFrameRate)
        return "Frame rate should be more than 0";
    return {};
}

float FrameTime(const LoopRange& loop, float frame)
{
    return loop.start + (frame - 1.0f);
}

std::vector<float> FramesToRecord(const AviSettings& settings)
{
    const double step = settings.speed > 0.0 ? settings.speed : 1.0;
    std::vector<float> frames;
    // Counted rather than summed, so that steps such as 0.1 do not drift past the end.
    const double span = double(settings.endFrame) - double(settings.startFrame);
    if (span < 0.0)
        return frames;
    const size_t count = size_t(std::floor(span / step + 1e-9)) + 1;
    frames.reserve(std::min<size_t>(count, kMostVideoFrames));
    for (size_t i = 0; i < count && i < kMostVideoFrames; ++i)
        frames.push_back(float(settings.startFrame + double(i) * step));
    return frames;
}

} // namespace kestrel::capture
