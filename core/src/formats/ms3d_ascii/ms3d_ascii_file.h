#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The MS3D ASCII text as written, after every count and index has been checked.
namespace nimbus::ms3d_ascii {

struct Vertex {
    float position[3] = {};
    float u = 0, v = 0; // as written; the reader stores 1 - v
    int joint = -1;
};

struct Normal {
    float xyz[3] = {};
};

struct Triangle {
    int vertices[3] = {};
    int normals[3] = {};
    int smoothingGroup = 0;
};

struct Mesh {
    std::string name;
    int material = -1;
    std::vector<Vertex> vertices;
    std::vector<Normal> normals;
    std::vector<Triangle> triangles;
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
    float frame = 0;
    float value[3] = {};
};

struct Joint {
    std::string name;
    std::string parentName;
    float position[3] = {};
    float rotation[3] = {};
    std::vector<Key> positionKeys;
    std::vector<Key> rotationKeys;
};

struct File {
    int frames = 0;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Joint> joints;
};

struct ParseError {
    size_t line = 0; // 1-based line of the first bad line; 0 when the text ended early
    std::string what;
};

// True when the whole text parsed; otherwise `error` says where and why.
bool Parse(const char* text, size_t size, File& out, ParseError* error = nullptr);

} // namespace nimbus::ms3d_ascii
