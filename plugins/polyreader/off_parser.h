#pragma once
// The Object File Format text file as read: vertex positions and polygons. Colours and
// further columns are ignored.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrel::off {

struct File {
    std::vector<float> positions;     // 3 per vertex
    std::vector<int32_t> corners;     // vertex indices of all faces, each below the vertex count
    std::vector<uint32_t> faceStart;  // face f has corners faceStart[f] .. faceStart[f + 1] - 1

    size_t VertexCount() const { return positions.size() / 3; }
    size_t FaceCount() const { return faceStart.empty() ? 0 : faceStart.size() - 1; }
};

enum class ParseStatus {
    Ok,
    BadHeader,   // the first line does not contain "OFF"
    BadCounts,   // no vertex and face counts above zero
    BadVertex,   // a vertex line without three numbers
    BadFace,     // a face line without its corner count or corners
    BadIndex,    // a face names a vertex that does not exist
    Truncated,   // the file ends before the last face
};

ParseStatus Parse(const uint8_t* data, size_t size, File& out);

const char* Describe(ParseStatus status);

} // namespace kestrel::off
