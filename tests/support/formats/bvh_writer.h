#pragma once
#include <string>
#include <vector>

// Builds BioVision Hierarchy text files for the tests and the fuzzing seeds.
namespace kestrel::test::bvh {

struct Node {
    std::string name;
    float offset[3] = {};
    std::vector<std::string> channels;  // "Xposition" .. "Zrotation"; none for an end site
    std::vector<Node> children;
    bool endSite = false;
};

// HIERARCHY with ROOT, JOINT and End Site blocks, then MOTION, "Frames:", "Frame
// Time:" and one line per frame.
std::string Write(const Node& root, const std::vector<std::vector<float>>& frames, float frameTime);

Node EndSite(float x, float y, float z);

} // namespace kestrel::test::bvh
