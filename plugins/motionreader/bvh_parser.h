#pragma once
// The BioVision Hierarchy file as read: the joint records in hierarchy order with
// their channels, and the channel values of every frame.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::bvh {

enum class Channel : uint8_t { Xposition, Yposition, Zposition, Xrotation, Yrotation, Zrotation };

struct Joint {
    std::string name;        // at most kMaxNameLength characters
    std::string parentName;  // empty for the root
    int depth = 1;           // the root is 1
    float offset[3] = {};
    bool endSite = false;
    // The root: six, each position and rotation once; a joint: its three rotations;
    // an end site: none. In file order.
    std::vector<Channel> channels;
    size_t firstValue = 0;   // where its channels start in each frame's values
};

struct File {
    std::vector<Joint> joints;  // the root first
    int32_t frameCount = 0;
    float frameTime = 0;
    size_t valuesPerFrame = 0;  // channels of all joints
    std::vector<float> values;  // frameCount x valuesPerFrame, frame by frame

    const float* Frame(size_t f) const { return values.data() + f * valuesPerFrame; }
};

constexpr size_t kMaxNameLength = 127;
// Keys the model gets (joints x frames, of each kind) are bounded, since both factors
// grow with the file and their product would not.
constexpr uint64_t kMaxKeys = uint64_t(1) << 24;

enum class ParseStatus {
    Ok,
    NoHierarchy,   // no "HIERARCHY" line, or no root after it
    BadRoot,       // root without "{", offset or six channels
    BadJoint,      // joint without "{", offset or three rotation channels
    BadEndSite,    // end site without "{" or offset
    NoMotion,      // no "MOTION" line
    BadFrames,     // no "Frames:" count of zero or more
    BadFrameTime,  // no "Frame Time:" value
    ShortFrame,    // a frame line with fewer values than channels
    Truncated,     // fewer frame lines than frames
    TooLarge,      // more keys than kMaxKeys
};

ParseStatus Parse(const uint8_t* data, size_t size, File& out);

const char* Describe(ParseStatus status);

} // namespace kestrel::bvh
