#include "md2_import.h"

#include <algorithm>
#include <cmath>

#include "util/byte_reader.h"

namespace kestrel::morphreader {
namespace {

constexpr size_t kFrameCountOffset = 40;

struct Vec {
    float x = 0, y = 0, z = 0;
};

Vec Minus(const Vec& a, const Vec& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec Cross(const Vec& a, const Vec& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

// The engine's turn of MD2 space into its own: Rz(-90 deg) x Ry(-90 deg), computed as its
// matrix code computes it (column-major 3 x 3, angles in radians through double).
struct Turn {
    float m[9];

    Turn()
    {
        constexpr float kDegToRad = 0.017453292f;
        float a[9], b[9];
        Rotation(0, 0, -90 * kDegToRad, a);
        Rotation(0, -90 * kDegToRad, 0, b);
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 3; ++r)
                m[c * 3 + r] = a[r] * b[c * 3] + a[3 + r] * b[c * 3 + 1] + a[6 + r] * b[c * 3 + 2];
    }

    static void Rotation(float x, float y, float z, float* out)
    {
        const double cx = std::cos(x), sx = std::sin(x), cy = std::cos(y), sy = std::sin(y), cz = std::cos(z),
                     sz = std::sin(z);
        out[0] = float(cy * cz);
        out[1] = float(cy * sz);
        out[2] = float(-sy);
        out[3] = float(sx * sy * cz - cx * sz);
        out[4] = float(sx * sy * sz + cx * cz);
        out[5] = float(sx * cy);
        out[6] = float(cx * sy * cz + sx * sz);
        out[7] = float(cx * sy * sz - sx * cz);
        out[8] = float(cx * cy);
    }

    Vec Apply(const float* p) const
    {
        return {m[0] * p[0] + m[3] * p[1] + m[6] * p[2], m[1] * p[0] + m[4] * p[1] + m[7] * p[2],
                m[2] * p[0] + m[5] * p[1] + m[8] * p[2]};
    }
};

// A zero or negative skin size would make every coordinate infinite; such files divide by 1.
float Divisor(int32_t size) { return size > 0 ? float(size) : 1.0f; }

} // namespace

bool ParseMd2(const std::vector<uint8_t>& bytes, Md2Import& out)
{
    if (nimbus::md2::Parse(bytes.data(), bytes.size(), out.file) != nimbus::md2::ParseStatus::Ok)
        return false;
    // The parser has checked that the whole header is there.
    nimbus::ByteReader header(bytes.data() + kFrameCountOffset, bytes.size() - kFrameCountOffset);
    out.frames = std::max(header.I32(), 0);
    return true;
}

bool BuildModel(const Md2Import& md2, const std::vector<SkinMaterial>& materials, skModel* model)
{
    const nimbus::md2::File& file = md2.file;
    const int32_t vertexCount = int32_t(file.positions.size() / 3);
    const int32_t triangleCount = int32_t(file.triangles.size());
    if (!skModelGroupArrayResize(model, 1, 1))
        return false;
    skGroup* g = skModelGetGroup(model, 0);
    skGroupSetName(g, "MD2 Frame");
    if (!skGroupVertexArrayResize(g, vertexCount, 0) || !skGroupNormalArrayResize(g, vertexCount, 0) ||
        !skGroupTriangleArrayResize(g, triangleCount, 0) ||
        !skGroupTCoordArrayResize(g, int32_t(file.texCoords.size()), 0))
        return false;

    const Turn turn;
    std::vector<Vec> positions(static_cast<size_t>(vertexCount));
    for (int32_t i = 0; i < vertexCount; ++i) {
        positions[size_t(i)] = turn.Apply(&file.positions[size_t(i) * 3]);
        const float xyz[3] = {positions[size_t(i)].x, positions[size_t(i)].y, positions[size_t(i)].z};
        skVertexSetVertex(skGroupGetVertex(g, i), xyz);
    }

    // Without a material the triangles name none, so the host's batch draws the default one
    // as the engine's reader does.
    const int32_t material = materials.empty() ? -1 : 0;
    std::vector<Vec> sum(static_cast<size_t>(vertexCount));
    std::vector<unsigned> uses(size_t(vertexCount), 0);
    for (int32_t k = 0; k < triangleCount; ++k) {
        const nimbus::md2::Triangle& ft = file.triangles[size_t(k)];
        skTriangle* t = skGroupGetTriangle(g, k);
        // Corners are stored in reverse order to turn the faces the engine's way.
        skTriangleSetVertexIndices(t, ft.vertices[2], ft.vertices[1], ft.vertices[0]);
        skTriangleSetNormalIndices(t, ft.vertices[2], ft.vertices[1], ft.vertices[0]);
        skTriangleSetTextureIndices(t, ft.texCoords[2], ft.texCoords[1], ft.texCoords[0]);
        skTriangleSetMaterial(t, material);
        skTriangleSetSmoothingGroup(t, 1);
        const Vec& p0 = positions[size_t(ft.vertices[2])];
        const Vec& p1 = positions[size_t(ft.vertices[1])];
        const Vec& p2 = positions[size_t(ft.vertices[0])];
        const Vec face = Cross(Minus(p0, p1), Minus(p0, p2));
        for (int16_t v : ft.vertices) {
            Vec& s = sum[size_t(v)];
            s = {s.x + face.x, s.y + face.y, s.z + face.z};
            ++uses[size_t(v)];
        }
    }
    // Vertex normals: the mean of the unnormalised face vectors around each vertex.
    for (int32_t i = 0; i < vertexCount; ++i) {
        if (uses[size_t(i)] == 0)
            continue;
        const float n = float(uses[size_t(i)]);
        Vec v{sum[size_t(i)].x / n, sum[size_t(i)].y / n, sum[size_t(i)].z / n};
        const double length = std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
        if (length != 0.0)
            v = {float(v.x / length), float(v.y / length), float(v.z / length)};
        skNormalSet(skGroupGetNormal(g, i), v.x, v.y, v.z);
    }

    const float su = Divisor(file.skinWidth), sv = Divisor(file.skinHeight);
    for (size_t i = 0; i < file.texCoords.size(); ++i)
        skTCoordSet(skGroupGetTCoord(g, int32_t(i)), float(file.texCoords[i].s) / su,
                    1.0f - float(file.texCoords[i].t) / sv);

    if (!skModelMaterialArrayResize(model, int32_t(materials.size()), 0))
        return false;
    for (size_t k = 0; k < materials.size(); ++k) {
        skMaterial* m = skModelGetMaterial(model, int32_t(k));
        skMaterialSetName(m, materials[k].name.c_str());
        skMaterialSetTextureDiffuse(m, materials[k].texture.c_str());
    }
    skModelSetAnimationLength(model, md2.frames);
    return true;
}

} // namespace kestrel::morphreader
