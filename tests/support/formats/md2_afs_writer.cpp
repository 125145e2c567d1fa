#include "md2_afs_writer.h"

#include <cstring>

namespace kestrel::test {
namespace {
void Le(std::vector<uint8_t>& out, uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}
void F32(std::vector<uint8_t>& out, float f)
{
    uint32_t v;
    std::memcpy(&v, &f, 4);
    Le(out, v, 4);
}
void Fixed(std::vector<uint8_t>& out, const std::string& s, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        out.push_back(i < s.size() ? uint8_t(s[i]) : 0);
}
} // namespace

std::vector<uint8_t> WriteMd2(const Md2Model& m)
{
    const int32_t vertices = int32_t(m.positions.size() / 3);
    const int32_t skinOffset = 68;
    const int32_t texOffset = skinOffset + int32_t(m.skins.size()) * 64;
    const int32_t triOffset = texOffset + int32_t(m.texCoords.size()) * 2;
    const int32_t frameOffset = triOffset + int32_t(m.triangles.size()) * 2;
    const int32_t frameSize = 40 + vertices * 4;
    const int32_t end = frameOffset + frameSize * m.frames;

    std::vector<uint8_t> out = {'I', 'D', 'P', '2'};
    for (int32_t v : {m.version, m.skinWidth, m.skinHeight, frameSize, int32_t(m.skins.size()), vertices,
                      int32_t(m.texCoords.size() / 2), int32_t(m.triangles.size() / 6), 0, m.frames, skinOffset,
                      texOffset, triOffset, frameOffset, end, end})
        Le(out, uint32_t(v), 4);
    for (const std::string& s : m.skins)
        Fixed(out, s, 64);
    for (int16_t v : m.texCoords)
        Le(out, uint16_t(v), 2);
    for (int16_t v : m.triangles)
        Le(out, uint16_t(v), 2);
    for (int32_t f = 0; f < m.frames; ++f) {
        for (float s : m.scale)
            F32(out, s);
        for (float t : m.translate)
            F32(out, t);
        Fixed(out, "frame" + std::to_string(f), 16);
        for (int32_t i = 0; i < vertices; ++i) {
            for (int k = 0; k < 3; ++k)
                out.push_back(m.positions[size_t(i) * 3 + size_t(k)]);
            out.push_back(0);
        }
    }
    return out;
}

Md2Model SampleMd2()
{
    Md2Model m;
    m.skins = {"models/skin.pcx"};
    m.positions = {0, 0, 0, 10, 0, 0, 10, 10, 0, 0, 10, 0};
    m.scale[0] = m.scale[1] = m.scale[2] = 0.5f;
    m.translate[0] = 100;
    m.texCoords = {0, 0, 128, 64, 256, 256, 0, 256};
    m.triangles = {0, 1, 2, 0, 1, 2, 0, 2, 3, 0, 2, 3};
    return m;
}

std::vector<uint8_t> WriteAfs(const std::vector<AfsSequence>& sequences, int32_t count)
{
    std::vector<uint8_t> out = {'A', 'F', 'S'};
    Le(out, uint32_t(count < 0 ? int32_t(sequences.size()) : count), 4);
    for (const AfsSequence& s : sequences) {
        Fixed(out, s.name, 64);
        Le(out, uint32_t(s.start), 4);
        Le(out, uint32_t(s.end), 4);
        Le(out, s.priority, 2);
    }
    return out;
}

} // namespace kestrel::test
