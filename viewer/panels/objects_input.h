#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document.h"

// What the objects tree shows, taken out of the model: names are the bytes the file held.
namespace kestrel::panels {

struct MeshEntry {
    std::string name;
    uint32_t vertices = 0;
    uint32_t faces = 0;
    uint32_t normals = 0;
    uint32_t texCoords = 0;
    uint32_t materials = 0; // material batches
    bool hidden = false;
};

struct JointEntry {
    std::string name;
    std::string parentName; // empty for a root joint
};

struct MaterialEntry {
    std::string name;
    // File names as the file system knows them.
    std::string diffuseMap;
    std::string bumpMap;
    std::string alphaMap;
    std::string reflectMap;
};

struct ObjectsInput {
    doc::ViewMode viewMode = doc::kEmpty;
    std::vector<MeshEntry> meshes;
    std::vector<JointEntry> joints;
    std::vector<MaterialEntry> materials;
};

} // namespace kestrel::panels
