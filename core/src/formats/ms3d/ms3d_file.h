#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The MS3D binary file as stored, after every count and index has been checked.
// Both the engine reader and the import plug-in build their models from it.
namespace nimbus::ms3d {

struct Vertex {
    float position[3] = {};
    int joint = -1; // sign-extended; -1 for none
};

struct Triangle {
    uint16_t vertices[3] = {};
    float normals[3][3] = {};
    float s[3] = {};
    float t[3] = {};
    uint8_t smoothingGroup = 0;
    uint8_t group = 0;
};

struct Group {
    std::string name;
    std::vector<uint16_t> triangles;
    int material = -1; // sign-extended; -1 for none
};

struct Material {
    std::string name;
    float ambient[4] = {};
    float diffuse[4] = {};
    float specular[4] = {};
    float emissive[4] = {};
    float shininess = 0;
    float transparency = 0;
    std::string texture;
    std::string alphaMap;
};

struct Key {
    float time = 0; // seconds, as stored
    float value[3] = {};
};

struct Joint {
    std::string name;
    std::string parentName;
    float rotation[3] = {};
    float position[3] = {};
    std::vector<Key> rotationKeys;
    std::vector<Key> positionKeys;
};

struct Comment {
    int32_t index = 0;
    std::string text;
};

struct VertexExtra {
    int8_t joints[3] = {-1, -1, -1};
    uint8_t weights[3] = {};
};

struct File {
    int32_t version = 0;
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Group> groups;
    std::vector<Material> materials;
    float framesPerSecond = 0;
    float currentTime = 0;
    int32_t totalFrames = 0;
    std::vector<Joint> joints;

    // Optional trailing blocks; absent, damaged or of an unknown sub-version, they are left empty.
    bool hasComments = false;
    std::vector<Comment> groupComments;
    std::vector<Comment> materialComments;
    std::vector<Comment> jointComments;
    std::vector<Comment> modelComments; // at most one; stored without an index field
    int32_t vertexExtraVersion = 0;     // 0 when there is no vertex extra block
    std::vector<VertexExtra> vertexExtras;
};

enum class ParseStatus {
    Ok,
    BadId,          // not an MS3D file
    Truncated,      // ends before the end of the joint section
    BadIndex,       // a triangle names a missing vertex, or a group a missing triangle
};

// Reads a whole file held in memory. Only the header, the counts and the indices are
// judged; the values themselves are taken as stored.
ParseStatus Parse(const uint8_t* data, size_t size, File& out);

const char* Describe(ParseStatus status);

} // namespace nimbus::ms3d
