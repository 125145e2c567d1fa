#pragma once
// What a video recording is asked to be, its defaults and its checks, without any widget.

#include <string>
#include <vector>

namespace kestrel::capture {

constexpr int kDefaultVideoWidth = 512, kDefaultVideoHeight = 384;
constexpr int kSmallestVideoSide = 4;

struct AviSettings {
    std::string output;   // the video file
    int width = kDefaultVideoWidth;
    int height = kDefaultVideoHeight;
    double frameRate = 0.0;
    int loop = 0;         // the sequence recorded
    int startFrame = 1;   // frames of the sequence, its first being 1
    int endFrame = 1;
    double speed = 1.0;
};

struct LoopRange {
    std::string name;
    float start = 0.0f, end = 0.0f; // animation time of its first and last frame
    int FrameCount() const;
};

// The document's name with ".avi", 512 x 384, the model's frame rate, the current loop
// from its first frame to its last.
AviSettings DefaultAviSettings(const std::string& documentPath, double frameRate, const std::vector<LoopRange>& loops,
                               int currentLoop);

// Checks as the dialog's OK does, in this order, and gives the message to show (the
// dialog stays open), or empty when the settings are good. A name whose extension is not
// AVI (or MP4, which is written as such) gets ".avi" appended.
std::string ValidateAviSettings(AviSettings& settings);

// The animation time of a frame of the loop (its first frame is 1).
float FrameTime(const LoopRange& loop, float frame);
// The loop's frames the video shows, one per video frame: from the start frame to the end
// frame in steps of the speed (1 when it is not positive); none when end is before start.
std::vector<float> FramesToRecord(const AviSettings& settings);

} // namespace kestrel::capture
