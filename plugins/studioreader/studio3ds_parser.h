#pragma once
// The 3D Studio file as read: its materials and its triangle meshes. Cameras, lights,
// the keyframer and every other chunk are passed over.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::studio {

using Color = std::array<float, 4>;

// What a material chunk sets, in the end state of its sub-chunks read in order.
struct Material {
    std::optional<std::string> name;
    std::optional<Color> ambient, diffuse, specular;
    std::optional<float> shininess;
    std::optional<float> transparency;  // 1.0 is opaque
    bool doubleSided = false;
    std::optional<std::string> textureDiffuse, textureAlpha, textureReflect, textureBump;
};

struct Face {
    uint16_t vertices[3] = {};   // each below the mesh's vertex count
    uint8_t edges[3] = {};       // AB, BC, CA visible
    int32_t material = -1;       // index into File::materials, -1 for none
    uint32_t smoothing = ~0u;    // groups mask; all bits when the file gives none (or 0)
};

struct Mesh {
    std::string name;
    std::vector<float> positions;  // 3 per vertex, turned from Z up to Y up: (x, z, -y)
    std::vector<Face> faces;
    bool textured = false;         // the mesh has a texture coordinate chunk
    std::vector<float> texCoords;  // 2 per coordinate; components beyond +-32000 read as 0
};

struct File {
    uint32_t version = 0;
    std::vector<Material> materials;
    std::vector<Mesh> meshes;
};

enum class ParseStatus {
    Ok,
    NoMainChunk,  // the file does not start with the main chunk
    NoVersion,    // no version chunk
    OldVersion,   // version 2 or older
    BadMesh,      // a mesh with a damaged header, a count beyond its chunk or a face naming a missing vertex
};

ParseStatus Parse(const uint8_t* data, size_t size, File& out);

const char* Describe(ParseStatus status);

} // namespace kestrel::studio
