#include "ms3d_writer.h"

#include <cstring>

namespace kestrel::test::ms3d {
namespace {

class Out {
public:
    std::vector<uint8_t> bytes;
    void U8(uint8_t v) { bytes.push_back(v); }
    void U16(uint16_t v) { Le(v, 2); }
    void I32(int32_t v) { Le(uint32_t(v), 4); }
    void F32(float f)
    {
        uint32_t v;
        std::memcpy(&v, &f, 4);
        Le(v, 4);
    }
    void F32s(const float* f, int n)
    {
        for (int i = 0; i < n; ++i)
            F32(f[i]);
    }
    void Fixed(const std::string& s, size_t size)
    {
        for (size_t i = 0; i < size; ++i)
            bytes.push_back(i < s.size() ? uint8_t(s[i]) : 0);
    }
    void Text(const std::string& s) { bytes.insert(bytes.end(), s.begin(), s.end()); }

private:
    void Le(uint32_t v, int n)
    {
        for (int i = 0; i < n; ++i)
            bytes.push_back(uint8_t(v >> (8 * i)));
    }
};

void Comments(Out& o, const std::vector<Comment>& list)
{
    o.I32(int32_t(list.size()));
    for (const Comment& c : list) {
        o.I32(c.index);
        o.I32(int32_t(c.text.size()));
        o.Text(c.text);
    }
}

} // namespace

std::vector<uint8_t> Write(const Model& m)
{
    Out o;
    o.Text("MS3D000000");
    o.I32(4);
    o.U16(uint16_t(m.vertices.size()));
    for (const Vertex& v : m.vertices) {
        o.U8(0);
        o.F32(v.x);
        o.F32(v.y);
        o.F32(v.z);
        o.U8(uint8_t(v.joint));
        o.U8(1);
    }
    o.U16(uint16_t(m.triangles.size()));
    for (const Triangle& t : m.triangles) {
        o.U16(0);
        for (uint16_t v : t.v)
            o.U16(v);
        for (const auto& n : t.normals)
            o.F32s(n, 3);
        o.F32s(t.s, 3);
        o.F32s(t.t, 3);
        o.U8(t.smoothing);
        o.U8(t.group);
    }
    o.U16(uint16_t(m.groups.size()));
    for (const Group& g : m.groups) {
        o.U8(0);
        o.Fixed(g.name, 32);
        o.U16(uint16_t(g.triangles.size()));
        for (uint16_t t : g.triangles)
            o.U16(t);
        o.U8(uint8_t(g.material));
    }
    o.U16(uint16_t(m.materials.size()));
    for (const Material& mat : m.materials) {
        o.Fixed(mat.name, 32);
        o.F32s(mat.ambient, 4);
        o.F32s(mat.diffuse, 4);
        o.F32s(mat.specular, 4);
        o.F32s(mat.emissive, 4);
        o.F32(mat.shininess);
        o.F32(mat.transparency);
        o.U8(0);
        o.Fixed(mat.texture, 128);
        o.Fixed(mat.alphaMap, 128);
    }
    o.F32(m.fps);
    o.F32(m.currentTime);
    o.I32(m.totalFrames);
    o.U16(uint16_t(m.joints.size()));
    for (const Joint& j : m.joints) {
        o.U8(0);
        o.Fixed(j.name, 32);
        o.Fixed(j.parent, 32);
        o.F32s(j.rotation, 3);
        o.F32s(j.position, 3);
        o.U16(uint16_t(j.rotationKeys.size()));
        o.U16(uint16_t(j.positionKeys.size()));
        for (const Key& k : j.rotationKeys) {
            o.F32(k.time);
            o.F32s(k.value, 3);
        }
        for (const Key& k : j.positionKeys) {
            o.F32(k.time);
            o.F32s(k.value, 3);
        }
    }
    if (m.writeComments || m.vertexExtraVersion) {
        o.I32(1);
        Comments(o, m.groupComments);
        Comments(o, m.materialComments);
        Comments(o, m.jointComments);
        o.I32(m.modelComment.empty() ? 0 : 1);
        if (!m.modelComment.empty()) {
            o.I32(int32_t(m.modelComment.size()));
            o.Text(m.modelComment);
        }
    }
    if (m.vertexExtraVersion) {
        o.I32(m.vertexExtraVersion);
        for (size_t i = 0; i < m.vertices.size(); ++i) {
            const VertexExtra e = i < m.vertexExtras.size() ? m.vertexExtras[i] : VertexExtra();
            for (int8_t j : e.joints)
                o.U8(uint8_t(j));
            for (uint8_t w : e.weights)
                o.U8(w);
            if (m.vertexExtraVersion == 2)
                o.I32(0);
        }
    }
    return o.bytes;
}

Model SampleModel()
{
    Model m;
    m.vertices = {{0, 0, 0, -1}, {1, 0, 0, 0}, {0, 1, 0, 1}, {1, 1, 0, 1}, {2, 1, 0, -1}};
    Triangle a, b, c;
    a.v[0] = 0; a.v[1] = 1; a.v[2] = 2;
    b.v[0] = 1; b.v[1] = 3; b.v[2] = 2;
    b.t[0] = 0.25f;
    c.v[0] = 3; c.v[1] = 4; c.v[2] = 2; // shares vertex 2 and 3 with the first group
    c.group = 1;
    m.triangles = {a, b, c};
    Group body;
    body.name = "Body";
    body.triangles = {0, 1};
    body.material = 0;
    Group tail;
    tail.name = "Tail";
    tail.triangles = {2};
    m.groups = {body, tail};
    Material skin;
    skin.texture = "skin.tga";
    m.materials = {skin};
    m.fps = 24;
    m.totalFrames = 40;
    Joint root;
    root.name = "root";
    root.rotationKeys = {{0.0f, {0, 0, 0}}, {1.0f, {0, 0, 1.5f}}};
    root.positionKeys = {{0.5f, {0, 1, 0}}};
    Joint arm;
    arm.name = "arm";
    arm.parent = "root";
    arm.position[0] = 1;
    m.joints = {root, arm};
    return m;
}

} // namespace kestrel::test::ms3d
