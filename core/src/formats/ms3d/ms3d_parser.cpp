#include <cstring>

#include "ms3d_file.h"
#include "util/byte_reader.h"

namespace nimbus::ms3d {
namespace {

constexpr size_t kNameSize = 32;
constexpr size_t kPathSize = 128;
constexpr uint64_t kVertexSize = 15;
constexpr uint64_t kTriangleSize = 70;
constexpr uint64_t kGroupMinSize = 1 + kNameSize + 2 + 1;
constexpr uint64_t kMaterialSize = 361;
constexpr uint64_t kJointMinSize = 1 + 2 * kNameSize + 24 + 4;
constexpr uint64_t kKeySize = 16;
constexpr uint64_t kCommentMinSize = 8;

bool ReadVertices(ByteReader& in, File& out)
{
    const uint16_t count = in.U16();
    if (!in.CanRead(count, kVertexSize))
        return false;
    out.vertices.resize(count);
    for (Vertex& v : out.vertices) {
        in.U8(); // editor flags
        in.F32s(v.position, 3);
        v.joint = in.I8();
        in.U8(); // use count
    }
    return in.Ok();
}

bool ReadTriangles(ByteReader& in, File& out)
{
    const uint16_t count = in.U16();
    if (!in.CanRead(count, kTriangleSize))
        return false;
    out.triangles.resize(count);
    for (Triangle& t : out.triangles) {
        in.U16(); // flags
        for (uint16_t& v : t.vertices)
            v = in.U16();
        for (auto& n : t.normals)
            in.F32s(n, 3);
        in.F32s(t.s, 3);
        in.F32s(t.t, 3);
        t.smoothingGroup = in.U8();
        t.group = in.U8();
    }
    return in.Ok();
}

bool ReadGroups(ByteReader& in, File& out)
{
    const uint16_t count = in.U16();
    if (!in.CanRead(count, kGroupMinSize))
        return false;
    out.groups.resize(count);
    for (Group& g : out.groups) {
        in.U8(); // flags
        g.name = in.FixedString(kNameSize);
        const uint16_t triangles = in.U16();
        if (!in.CanRead(triangles, 2))
            return false;
        g.triangles.resize(triangles);
        for (uint16_t& t : g.triangles)
            t = in.U16();
        g.material = in.I8();
    }
    return in.Ok();
}

bool ReadMaterials(ByteReader& in, File& out)
{
    const uint16_t count = in.U16();
    if (!in.CanRead(count, kMaterialSize))
        return false;
    out.materials.resize(count);
    for (Material& m : out.materials) {
        m.name = in.FixedString(kNameSize);
        in.F32s(m.ambient, 4);
        in.F32s(m.diffuse, 4);
        in.F32s(m.specular, 4);
        in.F32s(m.emissive, 4);
        m.shininess = in.F32();
        m.transparency = in.F32();
        in.U8(); // mode
        m.texture = in.FixedString(kPathSize);
        m.alphaMap = in.FixedString(kPathSize);
    }
    return in.Ok();
}

bool ReadKeys(ByteReader& in, std::vector<Key>& keys, uint16_t count)
{
    if (!in.CanRead(count, kKeySize))
        return false;
    keys.resize(count);
    for (Key& k : keys) {
        k.time = in.F32();
        in.F32s(k.value, 3);
    }
    return in.Ok();
}

bool ReadJoints(ByteReader& in, File& out)
{
    const uint16_t count = in.U16();
    if (!in.CanRead(count, kJointMinSize))
        return false;
    out.joints.resize(count);
    for (Joint& j : out.joints) {
        in.U8(); // flags
        j.name = in.FixedString(kNameSize);
        j.parentName = in.FixedString(kNameSize);
        in.F32s(j.rotation, 3);
        in.F32s(j.position, 3);
        const uint16_t rotationKeys = in.U16();
        const uint16_t positionKeys = in.U16();
        if (!ReadKeys(in, j.rotationKeys, rotationKeys) || !ReadKeys(in, j.positionKeys, positionKeys))
            return false;
    }
    return in.Ok();
}

bool ReadCommentList(ByteReader& in, std::vector<Comment>& list, bool atMostOne)
{
    const int32_t count = in.I32();
    if (!in.Ok() || count < 0 || !in.CanRead(uint64_t(count), kCommentMinSize))
        return false;
    const int32_t wanted = atMostOne ? (count > 0 ? 1 : 0) : count;
    for (int32_t i = 0; i < wanted; ++i) {
        Comment c;
        // The model comment has no index field.
        c.index = atMostOne ? 0 : in.I32();
        const int32_t length = in.I32();
        if (!in.Ok() || length < 0 || size_t(length) > in.Remaining())
            return false;
        c.text.resize(size_t(length));
        in.Bytes(c.text.data(), size_t(length));
        list.push_back(std::move(c));
    }
    return in.Ok();
}

// Trailing blocks: a missing, damaged or unknown block ends reading and keeps what was read.
void ReadTrailingBlocks(ByteReader& in, File& out)
{
    if (in.Remaining() < 4)
        return;
    const int32_t commentVersion = in.I32();
    if (commentVersion != 1)
        return;
    std::vector<Comment> groups, materials, joints, model;
    if (!ReadCommentList(in, groups, false) || !ReadCommentList(in, materials, false) ||
        !ReadCommentList(in, joints, false) || !ReadCommentList(in, model, true))
        return;
    out.hasComments = true;
    out.groupComments = std::move(groups);
    out.materialComments = std::move(materials);
    out.jointComments = std::move(joints);
    out.modelComments = std::move(model);

    if (in.Remaining() < 4)
        return;
    const int32_t vertexVersion = in.I32();
    if (vertexVersion != 1 && vertexVersion != 2)
        return;
    const uint64_t recordSize = vertexVersion == 1 ? 6 : 10;
    if (!in.CanRead(out.vertices.size(), recordSize))
        return;
    out.vertexExtras.resize(out.vertices.size());
    for (VertexExtra& e : out.vertexExtras) {
        for (int8_t& j : e.joints)
            j = in.I8();
        in.Bytes(e.weights, 3);
        if (vertexVersion == 2)
            in.U32();
    }
    out.vertexExtraVersion = vertexVersion;
}

bool IndicesValid(const File& f)
{
    for (const Triangle& t : f.triangles)
        for (uint16_t v : t.vertices)
            if (v >= f.vertices.size())
                return false;
    for (const Group& g : f.groups)
        for (uint16_t t : g.triangles)
            if (t >= f.triangles.size())
                return false;
    return true;
}

} // namespace

ParseStatus Parse(const uint8_t* data, size_t size, File& out)
{
    out = File();
    ByteReader in(data, size);
    char id[10];
    if (!in.Bytes(id, sizeof(id)) || std::memcmp(id, "MS3D000000", sizeof(id)) != 0)
        return ParseStatus::BadId;
    out.version = in.I32();
    if (!in.Ok() || !ReadVertices(in, out) || !ReadTriangles(in, out) || !ReadGroups(in, out) ||
        !ReadMaterials(in, out))
        return ParseStatus::Truncated;
    out.framesPerSecond = in.F32();
    out.currentTime = in.F32();
    out.totalFrames = in.I32();
    if (!in.Ok() || !ReadJoints(in, out))
        return ParseStatus::Truncated;
    if (!IndicesValid(out))
        return ParseStatus::BadIndex;
    ReadTrailingBlocks(in, out);
    return ParseStatus::Ok;
}

const char* Describe(ParseStatus status)
{
    switch (status) {
    case ParseStatus::Ok: return "ok";
    case ParseStatus::BadId: return "not an MS3D file";
    case ParseStatus::Truncated: return "the file ends early";
    case ParseStatus::BadIndex: return "an index points outside its list";
    }
    return "unknown";
}

} // namespace nimbus::ms3d
