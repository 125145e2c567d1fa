#pragma once
// Readers of the material and mesh chunks, used by the file-level parser.

#include <string>
#include <unordered_map>

#include "studio3ds_chunks.h"
#include "studio3ds_parser.h"

namespace kestrel::studio {

// Chunk identifiers.
enum : uint16_t {
    kMain = 0x4D4D,
    kVersion = 0x0002,
    kEditor = 0x3D3D,
    kMaterial = 0xAFFF,
    kObject = 0x4000,
    kTriangleMesh = 0x4100,
};

// Reads the sub-chunks of a material chunk; an unreadable one ends the material.
Material ReadMaterial(const ChunkData& data, const Chunk& chunk);

// Material names to the index of the first material of that name.
using MaterialIndex = std::unordered_map<std::string, int32_t>;
MaterialIndex IndexMaterials(const std::vector<Material>& materials);

// Reads a triangle mesh chunk. False when a count does not fit its chunk or a face
// names a missing vertex.
bool ReadMesh(const ChunkData& data, const Chunk& chunk, const MaterialIndex& materials, Mesh& out);

} // namespace kestrel::studio
