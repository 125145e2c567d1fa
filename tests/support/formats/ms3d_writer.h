#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Builds MS3D binary files in memory for the tests and the fuzzing seeds.
namespace kestrel::test::ms3d {

struct Vertex {
    float x = 0, y = 0, z = 0;
    int8_t joint = -1;
};

struct Triangle {
    uint16_t v[3] = {0, 1, 2};
    float normals[3][3] = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    float s[3] = {0, 1, 0};
    float t[3] = {0, 0, 1};
    uint8_t smoothing = 1;
    uint8_t group = 0;
};

struct Group {
    std::string name = "Mesh";
    std::vector<uint16_t> triangles;
    int8_t material = -1;
};

struct Material {
    std::string name = "Skin";
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    float diffuse[4] = {0.8f, 0.7f, 0.6f, 1};
    float specular[4] = {0, 0, 0, 1};
    float emissive[4] = {0, 0, 0, 1};
    float shininess = 10;
    float transparency = 1;
    std::string texture;
    std::string alphaMap;
};

struct Key {
    float time = 0;
    float value[3] = {};
};

struct Joint {
    std::string name;
    std::string parent;
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
    uint8_t weights[3] = {100, 0, 0};
};

struct Model {
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Group> groups;
    std::vector<Material> materials;
    float fps = 24;
    float currentTime = 0;
    int32_t totalFrames = 0;
    std::vector<Joint> joints;

    bool writeComments = false;
    std::vector<Comment> groupComments, materialComments, jointComments;
    std::string modelComment; // written when not empty
    int32_t vertexExtraVersion = 0; // 1 or 2 writes the block (after the comments)
    std::vector<VertexExtra> vertexExtras;
};

std::vector<uint8_t> Write(const Model& model);

// A small textured, skinned and animated model: two groups sharing a vertex, two joints with keys.
Model SampleModel();

} // namespace kestrel::test::ms3d
