#include <cstring>

#include "md2_file.h"
#include "util/byte_reader.h"

namespace nimbus::md2 {
namespace {

constexpr size_t kHeaderSize = 68;
constexpr uint64_t kSkinSize = 64;
constexpr uint64_t kTexCoordSize = 4;
constexpr uint64_t kTriangleSize = 12;
constexpr uint64_t kFrameHeaderSize = 40;
constexpr uint64_t kFrameVertexSize = 4;

// A reader positioned at `offset` that can read `count` records, or a failed one.
bool Section(const uint8_t* data, size_t size, int32_t offset, int32_t count, uint64_t recordSize,
             ByteReader& reader)
{
    if (offset < 0 || count < 0 || uint64_t(offset) > size)
        return false;
    reader = ByteReader(data + offset, size - size_t(offset));
    return reader.CanRead(uint64_t(count), recordSize);
}

} // namespace

ParseStatus Parse(const uint8_t* data, size_t size, File& out)
{
    out = File();
    ByteReader header(data, size);
    char ident[4];
    if (!header.Bytes(ident, 4) || std::memcmp(ident, "IDP2", 4) != 0)
        return ParseStatus::BadIdent;
    if (header.I32() != 8)
        return header.Ok() ? ParseStatus::BadVersion : ParseStatus::Truncated;
    if (size < kHeaderSize)
        return ParseStatus::Truncated;
    out.skinWidth = header.I32();
    out.skinHeight = header.I32();
    header.I32(); // frame size
    const int32_t skins = header.I32();
    const int32_t vertices = header.I32();
    const int32_t texCoords = header.I32();
    const int32_t triangles = header.I32();
    header.I32(); // GL commands
    header.I32(); // frames
    const int32_t skinOffset = header.I32();
    const int32_t texCoordOffset = header.I32();
    const int32_t triangleOffset = header.I32();
    const int32_t frameOffset = header.I32();

    ByteReader in(nullptr, 0);
    if (!Section(data, size, skinOffset, skins, kSkinSize, in))
        return ParseStatus::Truncated;
    out.skins.resize(size_t(skins));
    for (std::string& skin : out.skins)
        skin = in.FixedString(kSkinSize);

    if (!Section(data, size, texCoordOffset, texCoords, kTexCoordSize, in))
        return ParseStatus::Truncated;
    out.texCoords.resize(size_t(texCoords));
    for (TexCoord& tc : out.texCoords) {
        tc.s = int16_t(in.U16());
        tc.t = int16_t(in.U16());
    }

    if (!Section(data, size, triangleOffset, triangles, kTriangleSize, in))
        return ParseStatus::Truncated;
    out.triangles.resize(size_t(triangles));
    for (Triangle& t : out.triangles) {
        for (int16_t& v : t.vertices)
            v = int16_t(in.U16());
        for (int16_t& c : t.texCoords)
            c = int16_t(in.U16());
        for (int k = 0; k < 3; ++k)
            if (t.vertices[k] < 0 || t.vertices[k] >= vertices || t.texCoords[k] < 0 || t.texCoords[k] >= texCoords)
                return ParseStatus::BadIndex;
    }

    if (vertices > 0) {
        if (!Section(data, size, frameOffset, 1, kFrameHeaderSize, in))
            return ParseStatus::Truncated;
        float scale[3];
        in.F32s(scale, 3);
        in.Skip(12 + 16); // translation and name
        if (!in.CanRead(uint64_t(vertices), kFrameVertexSize))
            return ParseStatus::Truncated;
        out.positions.resize(size_t(vertices) * 3);
        for (int32_t i = 0; i < vertices; ++i) {
            for (int k = 0; k < 3; ++k)
                out.positions[size_t(i) * 3 + size_t(k)] = float(in.U8()) * scale[k];
            in.U8(); // normal index
        }
    } else if (vertices < 0) {
        return ParseStatus::Truncated;
    }
    return ParseStatus::Ok;
}

} // namespace nimbus::md2
