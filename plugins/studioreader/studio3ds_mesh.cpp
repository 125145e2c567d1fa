#include "studio3ds_readers.h"

#include <cmath>

namespace kestrel::studio {
namespace {

enum : uint16_t {
    kVertexList = 0x4110,
    kFaceList = 0x4120,
    kFaceMaterial = 0x4130,
    kTexCoords = 0x4140,
    kSmoothing = 0x4150,
};

constexpr size_t kVertexSize = 12;
constexpr size_t kFaceSize = 8;
constexpr size_t kTexCoordSize = 8;
constexpr float kTexCoordLimit = 32000.0f;

// The count at the start of a list chunk, when that many records of recordSize fit
// in the rest of the chunk.
bool ListCount(const ChunkData& data, const Chunk& chunk, size_t recordSize, size_t& pos, uint16_t& count)
{
    pos = chunk.data;
    return data.U16(pos, chunk.end, count) && size_t(count) <= (chunk.end - pos) / recordSize;
}

bool ReadVertices(const ChunkData& data, const Chunk& chunk, Mesh& mesh)
{
    size_t pos = 0;
    uint16_t count = 0;
    if (!ListCount(data, chunk, kVertexSize, pos, count))
        return false;
    mesh.positions.resize(size_t(count) * 3);
    for (size_t v = 0; v < count; ++v) {
        float p[3];
        for (float& c : p)
            data.F32(pos, chunk.end, c);
        // Z up in the file, Y up in the model.
        mesh.positions[v * 3] = p[0];
        mesh.positions[v * 3 + 1] = p[2];
        mesh.positions[v * 3 + 2] = -p[1];
    }
    return true;
}

int32_t FindMaterial(const MaterialIndex& materials, const std::string& name)
{
    const auto found = materials.find(name);
    return found == materials.end() ? -1 : found->second;
}

// Faces beyond the list and entries beyond the chunk are passed over.
void ReadFaceMaterial(const ChunkData& data, const Chunk& chunk, const MaterialIndex& materials, Mesh& mesh)
{
    size_t pos = chunk.data;
    std::string name;
    uint16_t count = 0;
    if (!data.Text(pos, chunk.end, name) || !data.U16(pos, chunk.end, count))
        return;
    const int32_t material = FindMaterial(materials, name);
    uint16_t face = 0;
    for (uint16_t n = 0; n < count && data.U16(pos, chunk.end, face); ++n)
        if (face < mesh.faces.size())
            mesh.faces[face].material = material;
}

// One mask per face, as far as the chunk holds them; a mask of 0 smooths with all.
void ReadSmoothing(const ChunkData& data, const Chunk& chunk, Mesh& mesh)
{
    size_t pos = chunk.data;
    uint32_t mask = 0;
    for (size_t f = 0; f < mesh.faces.size() && data.U32(pos, chunk.end, mask); ++f)
        mesh.faces[f].smoothing = mask ? mask : ~0u;
}

bool ReadFaces(const ChunkData& data, const Chunk& chunk, const MaterialIndex& materials, Mesh& mesh)
{
    size_t pos = 0;
    uint16_t count = 0;
    if (!ListCount(data, chunk, kFaceSize, pos, count))
        return false;
    mesh.faces.assign(count, Face{});
    for (Face& face : mesh.faces) {
        uint16_t flags = 0;
        for (uint16_t& v : face.vertices)
            data.U16(pos, chunk.end, v);
        data.U16(pos, chunk.end, flags);
        face.edges[0] = (flags >> 2) & 1;
        face.edges[1] = (flags >> 1) & 1;
        face.edges[2] = flags & 1;
    }
    Chunk sub;
    for (; data.ChunkAt(pos, chunk.end, sub); pos = sub.end) {
        if (sub.id == kFaceMaterial)
            ReadFaceMaterial(data, sub, materials, mesh);
        else if (sub.id == kSmoothing)
            ReadSmoothing(data, sub, mesh);
    }
    return true;
}

bool ReadTexCoords(const ChunkData& data, const Chunk& chunk, Mesh& mesh)
{
    size_t pos = 0;
    uint16_t count = 0;
    if (!ListCount(data, chunk, kTexCoordSize, pos, count))
        return false;
    mesh.texCoords.resize(size_t(count) * 2);
    for (float& c : mesh.texCoords) {
        data.F32(pos, chunk.end, c);
        if (std::fabs(c) > kTexCoordLimit)
            c = 0.0f;
    }
    return true;
}

bool FacesNameKnownVertices(const Mesh& mesh)
{
    const size_t count = mesh.positions.size() / 3;
    for (const Face& face : mesh.faces)
        for (uint16_t v : face.vertices)
            if (v >= count)
                return false;
    return true;
}

} // namespace

MaterialIndex IndexMaterials(const std::vector<Material>& materials)
{
    MaterialIndex index;
    for (size_t i = 0; i < materials.size(); ++i)
        if (materials[i].name)
            index.emplace(*materials[i].name, int32_t(i));
    return index;
}

bool ReadMesh(const ChunkData& data, const Chunk& chunk, const MaterialIndex& materials, Mesh& out)
{
    Chunk sub;
    for (size_t pos = chunk.data; data.ChunkAt(pos, chunk.end, sub); pos = sub.end)
        if (sub.id == kTexCoords)
            out.textured = true;
    for (size_t pos = chunk.data; data.ChunkAt(pos, chunk.end, sub); pos = sub.end) {
        bool ok = true;
        if (sub.id == kVertexList)
            ok = ReadVertices(data, sub, out);
        else if (sub.id == kFaceList)
            ok = ReadFaces(data, sub, materials, out);
        else if (sub.id == kTexCoords)
            ok = ReadTexCoords(data, sub, out);
        if (!ok)
            return false;
    }
    return FacesNameKnownVertices(out);
}

} // namespace kestrel::studio
