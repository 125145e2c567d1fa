#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Builds 3D Studio files in memory for the tests and the fuzzing seeds.
namespace kestrel::test::studio3ds {

// Nested chunks: Begin writes a header whose length End fills in.
class ChunkWriter {
public:
    void Begin(uint16_t id);
    void End();
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void F32(float v);
    void Text(const std::string& text);  // zero-terminated
    // A chunk with a raw length, for damaged files.
    void RawHeader(uint16_t id, uint32_t length);
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    std::vector<size_t> open_;
};

struct Material {
    std::string name;
    std::array<uint8_t, 3> ambient{50, 50, 50}, diffuse{200, 100, 50}, specular{255, 255, 255};
    uint8_t shininess = 40;
    uint8_t transparency = 0;
    bool twoSided = false;
    std::string texture;  // diffuse map, none when empty
};

struct FaceMaterial {
    std::string material;
    std::vector<uint16_t> faces;
};

struct Mesh {
    std::string name = "Box";
    std::vector<float> positions;                   // 3 per vertex, Z up as stored
    std::vector<std::array<uint16_t, 4>> faces;     // A, B, C, edge flag word
    std::vector<uint32_t> smoothing;                // none written when empty
    std::vector<float> uv;                          // none written when empty
    std::vector<FaceMaterial> faceMaterials;
};

void WriteMaterial(ChunkWriter& w, const Material& m);
void WriteObject(ChunkWriter& w, const Mesh& mesh);

// Main chunk, version, editor chunk with the materials and meshes.
std::vector<uint8_t> Write(const std::vector<Material>& materials, const std::vector<Mesh>& meshes,
                           uint32_t version = 3);

// A unit cube of 8 vertices and 12 faces with every edge flag set; with six groups
// each side has its own smoothing group, otherwise all share group 1.
Mesh Cube(bool sixGroups);

} // namespace kestrel::test::studio3ds
