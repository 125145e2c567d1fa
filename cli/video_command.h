#pragma once
#include <string>
#include <vector>

namespace kestrel::cli {

struct VideoCommandOptions {
    std::string input;
    std::string output; // ".avi" or ".mp4"
    std::string plugInFolder;
    int width = 512;
    int height = 384;
    double fps = 0.0;     // 0: the model's own rate
    std::string sequence; // empty: the first
    int start = 1;
    int end = 0;          // 0: the sequence's last frame
    std::string codec;    // empty: MJPEG for AVI, H.264 (else MPEG-4 Part 2) for MP4
    int quality = -1;     // -1: the codec's default
};

// Reads the arguments after "video"; false with a message for anything it cannot take.
bool ParseVideoArguments(const std::vector<std::string>& args, VideoCommandOptions& options, std::string& error);

// Records a sequence of an animated model off screen as the viewer does; a progress line
// on a terminal. Exit code 0 when written, 1 when the file does not open, has no animation
// or the video cannot be written.
int VideoCommand(const VideoCommandOptions& options);

} // namespace kestrel::cli
