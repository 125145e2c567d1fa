#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The parts of an MD2 file the engine uses (skins, texture coordinates, triangles and the
// first frame), after every count, offset and index has been checked.
namespace nimbus::md2 {

struct TexCoord {
    int16_t s = 0, t = 0;
};

struct Triangle {
    int16_t vertices[3] = {};
    int16_t texCoords[3] = {};
};

struct File {
    int32_t skinWidth = 0;
    int32_t skinHeight = 0;
    std::vector<std::string> skins;        // 64-byte names, cut at the first zero
    std::vector<float> positions;          // x, y, z per vertex of the first frame, scaled, not translated
    std::vector<TexCoord> texCoords;
    std::vector<Triangle> triangles;
};

enum class ParseStatus {
    Ok,
    BadIdent,    // not "IDP2"
    BadVersion,  // not version 8
    Truncated,   // a count or offset reaches outside the file
    BadIndex,    // a triangle names a missing vertex or texture coordinate
};

ParseStatus Parse(const uint8_t* data, size_t size, File& out);

} // namespace nimbus::md2
