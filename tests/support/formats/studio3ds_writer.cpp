#include "formats/studio3ds_writer.h"

#include <cstring>

namespace kestrel::test::studio3ds {

void ChunkWriter::Begin(uint16_t id)
{
    open_.push_back(bytes_.size());
    U16(id);
    U32(0);
}

void ChunkWriter::End()
{
    const size_t start = open_.back();
    open_.pop_back();
    const uint32_t length = uint32_t(bytes_.size() - start);
    for (int i = 0; i < 4; ++i)
        bytes_[start + 2 + size_t(i)] = uint8_t(length >> (8 * i));
}

void ChunkWriter::U16(uint16_t v)
{
    bytes_.push_back(uint8_t(v));
    bytes_.push_back(uint8_t(v >> 8));
}

void ChunkWriter::U32(uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes_.push_back(uint8_t(v >> (8 * i)));
}

void ChunkWriter::F32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    U32(bits);
}

void ChunkWriter::Text(const std::string& text)
{
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
}

void ChunkWriter::RawHeader(uint16_t id, uint32_t length)
{
    U16(id);
    U32(length);
}

namespace {

void Color(ChunkWriter& w, uint16_t id, const std::array<uint8_t, 3>& rgb)
{
    w.Begin(id);
    w.Begin(0x0011);
    for (uint8_t c : rgb)
        w.U8(c);
    w.End();
    w.End();
}

void Percent(ChunkWriter& w, uint16_t id, uint8_t value)
{
    w.Begin(id);
    w.Begin(0x0030);
    w.U16(value);
    w.End();
    w.End();
}

} // namespace

void WriteMaterial(ChunkWriter& w, const Material& m)
{
    w.Begin(0xAFFF);
    w.Begin(0xA000);
    w.Text(m.name);
    w.End();
    Color(w, 0xA010, m.ambient);
    Color(w, 0xA020, m.diffuse);
    Color(w, 0xA030, m.specular);
    Percent(w, 0xA040, m.shininess);
    Percent(w, 0xA050, m.transparency);
    if (m.twoSided) {
        w.Begin(0xA081);
        w.End();
    }
    if (!m.texture.empty()) {
        w.Begin(0xA200);
        w.Begin(0x0030);  // strength, 100 %
        w.U16(100);
        w.End();
        w.Begin(0xA300);
        w.Text(m.texture);
        w.End();
        w.End();
    }
    w.End();
}

void WriteObject(ChunkWriter& w, const Mesh& mesh)
{
    w.Begin(0x4000);
    w.Text(mesh.name);
    w.Begin(0x4100);
    w.Begin(0x4110);
    w.U16(uint16_t(mesh.positions.size() / 3));
    for (float p : mesh.positions)
        w.F32(p);
    w.End();
    if (!mesh.uv.empty()) {
        w.Begin(0x4140);
        w.U16(uint16_t(mesh.uv.size() / 2));
        for (float c : mesh.uv)
            w.F32(c);
        w.End();
    }
    w.Begin(0x4120);
    w.U16(uint16_t(mesh.faces.size()));
    for (const auto& f : mesh.faces)
        for (uint16_t v : f)
            w.U16(v);
    for (const FaceMaterial& fm : mesh.faceMaterials) {
        w.Begin(0x4130);
        w.Text(fm.material);
        w.U16(uint16_t(fm.faces.size()));
        for (uint16_t f : fm.faces)
            w.U16(f);
        w.End();
    }
    if (!mesh.smoothing.empty()) {
        w.Begin(0x4150);
        for (uint32_t s : mesh.smoothing)
            w.U32(s);
        w.End();
    }
    w.End();
    w.End();
    w.End();
}

std::vector<uint8_t> Write(const std::vector<Material>& materials, const std::vector<Mesh>& meshes, uint32_t version)
{
    ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x0002);
    w.U32(version);
    w.End();
    w.Begin(0x3D3D);
    for (const Material& m : materials)
        WriteMaterial(w, m);
    for (const Mesh& mesh : meshes)
        WriteObject(w, mesh);
    w.End();
    w.End();
    return w.Bytes();
}

Mesh Cube(bool sixGroups)
{
    Mesh mesh;
    mesh.positions = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1};
    static const uint16_t sides[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                         {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 4, 7, 3}};
    for (int s = 0; s < 6; ++s) {
        const uint16_t* q = sides[s];
        mesh.faces.push_back({q[0], q[1], q[2], 7});
        mesh.faces.push_back({q[0], q[2], q[3], 7});
        const uint32_t group = sixGroups ? 1u << s : 1u;
        mesh.smoothing.push_back(group);
        mesh.smoothing.push_back(group);
    }
    return mesh;
}

} // namespace kestrel::test::studio3ds
