#include "studio3ds_readers.h"

#include <cmath>

namespace kestrel::studio {
namespace {

enum : uint16_t {
    kName = 0xA000,
    kAmbient = 0xA010,
    kDiffuse = 0xA020,
    kSpecular = 0xA030,
    kShininess = 0xA040,
    kTransparency = 0xA050,
    kTwoSided = 0xA081,
    kTextureMap = 0xA200,
    kOpacityMap = 0xA210,
    kReflectionMap = 0xA220,
    kBumpMap = 0xA230,
    kColorFloat = 0x0010,
    kColorFloatLinear = 0x0013,
    kPercentFloat = 0x0031,
};

constexpr float kByteToUnit = 0.003921569f;
// A map chunk starts with a percentage sub-chunk (8 bytes) and the header of its
// name sub-chunk (6 bytes).
constexpr size_t kMapNameOffset = 14;

// A colour sub-chunk: 24-bit colours are read as bytes, float colours as they are.
bool ReadColor(const ChunkData& data, const Chunk& chunk, Color& out)
{
    size_t pos = chunk.data;
    uint16_t id = 0;
    if (!data.U16(pos, chunk.end, id))
        return false;
    pos = chunk.data + 6;
    out[3] = 1.0f;
    if (id == kColorFloat || id == kColorFloatLinear)
        return data.F32(pos, chunk.end, out[0]) && data.F32(pos, chunk.end, out[1]) && data.F32(pos, chunk.end, out[2]);
    for (int i = 0; i < 3; ++i) {
        uint8_t byte = 0;
        if (!data.U8(pos, chunk.end, byte))
            return false;
        out[size_t(i)] = byte * kByteToUnit;
    }
    return true;
}

// A percentage sub-chunk as one byte: the low byte of the stored percentage.
bool ReadPercentByte(const ChunkData& data, const Chunk& chunk, uint8_t& out)
{
    size_t pos = chunk.data;
    uint16_t id = 0;
    if (!data.U16(pos, chunk.end, id))
        return false;
    pos = chunk.data + 6;
    if (id == kPercentFloat) {
        float percent = 0;
        if (!data.F32(pos, chunk.end, percent) || !(std::fabs(percent) < 65536.0f))
            return false;
        out = uint8_t(int32_t(std::lround(percent)) & 0xFF);
        return true;
    }
    return data.U8(pos, chunk.end, out);
}

bool ReadMapName(const ChunkData& data, const Chunk& chunk, std::optional<std::string>& out)
{
    size_t pos = chunk.data + kMapNameOffset;
    std::string name;
    if (pos > chunk.end || !data.Text(pos, chunk.end, name))
        return false;
    out = std::move(name);
    return true;
}

// False when the sub-chunk cannot be read.
bool ReadProperty(const ChunkData& data, const Chunk& sub, Material& m)
{
    switch (sub.id) {
    case kName: {
        size_t pos = sub.data;
        std::string name;
        if (!data.Text(pos, sub.end, name))
            return false;
        m.name = std::move(name);
        return true;
    }
    case kAmbient:
    case kDiffuse:
    case kSpecular: {
        Color color{};
        if (!ReadColor(data, sub, color))
            return false;
        (sub.id == kAmbient ? m.ambient : sub.id == kDiffuse ? m.diffuse : m.specular) = color;
        return true;
    }
    case kShininess: {
        uint8_t s = 128;
        if (!ReadPercentByte(data, sub, s))
            s = 128;
        if (s == 0)
            m.specular = Color{0, 0, 0, 1};
        m.shininess = s * 1.28f;
        return true;
    }
    case kTransparency: {
        uint8_t t = 100;
        if (!ReadPercentByte(data, sub, t))
            t = 100;
        m.transparency = std::fabs(float(t) - 100.0f) * 0.01f;
        return true;
    }
    case kTwoSided:
        m.doubleSided = true;
        return true;
    case kTextureMap:
        return ReadMapName(data, sub, m.textureDiffuse);
    case kOpacityMap:
        return ReadMapName(data, sub, m.textureAlpha);
    case kReflectionMap:
        return ReadMapName(data, sub, m.textureReflect);
    case kBumpMap:
        return ReadMapName(data, sub, m.textureBump);
    default:
        return true;
    }
}

} // namespace

Material ReadMaterial(const ChunkData& data, const Chunk& chunk)
{
    Material m;
    Chunk sub;
    for (size_t pos = chunk.data; data.ChunkAt(pos, chunk.end, sub); pos = sub.end)
        if (!ReadProperty(data, sub, m))
            break;
    return m;
}

} // namespace kestrel::studio
