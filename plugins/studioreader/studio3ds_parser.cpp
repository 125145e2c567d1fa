#include "studio3ds_parser.h"

#include "studio3ds_readers.h"

namespace kestrel::studio {
namespace {

// Editor chunks nest once in real files; deeper nesting is not followed.
constexpr int kMaxEditorDepth = 8;

// Calls visit for every chunk between pos and limit, descending into editor chunks.
template <class Visit>
bool Walk(const ChunkData& data, size_t pos, size_t limit, Visit& visit, int depth = 0)
{
    Chunk chunk;
    for (; data.ChunkAt(pos, limit, chunk); pos = chunk.end) {
        if (chunk.id == kEditor) {
            if (depth < kMaxEditorDepth && !Walk(data, chunk.data, chunk.end, visit, depth + 1))
                return false;
        } else if (!visit(chunk)) {
            return false;
        }
    }
    return true;
}

// An object whose first sub-chunk is a triangle mesh becomes a mesh; others (lights,
// cameras) are passed over. False for a mesh that cannot be read.
bool ReadObject(const ChunkData& data, const Chunk& object, const MaterialIndex& materials,
                std::vector<Mesh>& meshes)
{
    size_t pos = object.data;
    Mesh mesh;
    if (!data.Text(pos, object.end, mesh.name))
        return true;
    if (object.end - pos < 6)
        return true;
    size_t peek = pos;
    uint16_t id = 0;
    data.U16(peek, object.end, id);
    if (id != kTriangleMesh)
        return true;
    Chunk chunk;
    if (!data.ChunkAt(pos, object.end, chunk) || !ReadMesh(data, chunk, materials, mesh))
        return false;
    meshes.push_back(std::move(mesh));
    return true;
}

} // namespace

ParseStatus Parse(const uint8_t* bytes, size_t size, File& out)
{
    out = File();
    const ChunkData data(bytes, size);
    size_t pos = 0;
    uint16_t id = 0;
    uint32_t length = 0;
    if (!data.U16(pos, data.Size(), id) || !data.U32(pos, data.Size(), length) || id != kMain)
        return ParseStatus::NoMainChunk;
    // A main chunk claiming more than the file (or less than its header) reaches the end of the file.
    const size_t end = length >= 6 && length <= data.Size() ? length : data.Size();

    Chunk version;
    for (;; pos = version.end) {
        if (!data.ChunkAt(pos, end, version))
            return ParseStatus::NoVersion;
        if (version.id == kVersion)
            break;
    }
    size_t at = version.data;
    if (!data.U32(at, version.end, out.version))
        return ParseStatus::NoVersion;
    if (out.version <= 2)
        return ParseStatus::OldVersion;

    auto materials = [&](const Chunk& chunk) {
        if (chunk.id == kMaterial)
            out.materials.push_back(ReadMaterial(data, chunk));
        return true;
    };
    Walk(data, version.end, end, materials);
    const MaterialIndex index = IndexMaterials(out.materials);
    auto objects = [&](const Chunk& chunk) {
        return chunk.id != kObject || ReadObject(data, chunk, index, out.meshes);
    };
    return Walk(data, version.end, end, objects) ? ParseStatus::Ok : ParseStatus::BadMesh;
}

const char* Describe(ParseStatus status)
{
    switch (status) {
    case ParseStatus::Ok:
        return "ok";
    case ParseStatus::NoMainChunk:
        return "no main chunk";
    case ParseStatus::NoVersion:
        return "no version chunk";
    case ParseStatus::OldVersion:
        return "version 2 or older";
    case ParseStatus::BadMesh:
        return "a mesh cannot be read";
    }
    return "unknown";
}

} // namespace kestrel::studio
