#include "render/shared_corners.h"

#include <algorithm>
#include <cstring>

#include "nimbus/model.h"

namespace nimbus::render {
namespace {

// Corners compared per vertex before a new one is made regardless: a hostile mesh with
// thousands of normals on one vertex costs duplicates, never quadratic time.
constexpr int kMaxCompared = 8;

bool InRange(int32_t index, size_t count) { return index >= 0 && size_t(index) < count; }

bool Drawable(const CTriangle& t, size_t vertices)
{
    return InRange(t.mVertices[0], vertices) && InRange(t.mVertices[1], vertices) && InRange(t.mVertices[2], vertices);
}

// The texture coordinates each corner sends, 6 per triangle, or none when no drawn triangle
// is textured. Batches send them in batch order, and an untextured triangle sends none: it
// keeps the coordinate last sent.
std::vector<GLfloat> CornerTexCoords(const CMesh& mesh, const MeshArrays& m)
{
    std::vector<GLfloat> uv;
    const bool textured = std::any_of(mesh.mTriangles.begin(), mesh.mTriangles.end(), [&m](const CTriangle& t) {
        return t.mTextured && Drawable(t, m.vertexCount);
    });
    if (!textured)
        return uv;
    uv.assign(mesh.mTriangles.size() * 6, 0.0f);
    float last[2] = {0, 0};
    for (const CMaterialBatch& batch : mesh.mBatches)
        for (uint32_t t : batch.mTriangles) {
            if (t >= mesh.mTriangles.size() || !Drawable(mesh.mTriangles[t], m.vertexCount))
                continue;
            const CTriangle& tri = mesh.mTriangles[t];
            for (int c = 0; c < 3; ++c) {
                if (tri.mTextured && InRange(tri.mTexCoords[c], m.texCoordCount)) {
                    last[0] = mesh.mTexCoords[size_t(tri.mTexCoords[c])].mU;
                    last[1] = mesh.mTexCoords[size_t(tri.mTexCoords[c])].mV;
                }
                uv[size_t(t) * 6 + size_t(c) * 2] = last[0];
                uv[size_t(t) * 6 + size_t(c) * 2 + 1] = last[1];
            }
        }
    return uv;
}

// Made from the mesh's batches, as the corner arrays would give them: triangles with a
// vertex index outside the mesh are left out.
void Build(const CMesh& mesh, const MeshArrays& m, SharedCorners& s)
{
    const std::vector<GLfloat> uvs = CornerTexCoords(mesh, m);
    const bool textured = !uvs.empty();
    std::vector<int32_t> first(m.vertexCount, -1); // newest shared corner of each vertex
    std::vector<int32_t> older;                    // the one made before it, per shared corner
    s.batches.resize(mesh.mBatches.size());
    s.materials.resize(mesh.mBatches.size());
    for (size_t b = 0; b < mesh.mBatches.size(); ++b) {
        s.materials[b] = mesh.mBatches[b].mMaterial;
        std::vector<GLuint>& out = s.batches[b];
        out.reserve(mesh.mBatches[b].mTriangles.size() * 3);
        for (uint32_t t : mesh.mBatches[b].mTriangles) {
            if (t >= mesh.mTriangles.size() || !Drawable(mesh.mTriangles[t], m.vertexCount))
                continue;
            const CTriangle& tri = mesh.mTriangles[t];
            for (int c = 0; c < 3; ++c) {
                const uint32_t vertex = uint32_t(tri.mVertices[c]);
                const int32_t normal = InRange(tri.mNormals[c], m.normalCount) ? tri.mNormals[c] : -1;
                const GLfloat* uv = textured ? &uvs[size_t(t) * 6 + size_t(c) * 2] : nullptr;
                int32_t found = -1, compared = 0;
                for (int32_t k = first[vertex]; k >= 0 && compared < kMaxCompared; k = older[size_t(k)], ++compared)
                    if (s.normalOf[size_t(k)] == normal &&
                        (!uv || std::memcmp(&s.texCoords[size_t(k) * 2], uv, 2 * sizeof(GLfloat)) == 0)) {
                        found = k;
                        break;
                    }
                if (found < 0) {
                    found = int32_t(s.vertexOf.size());
                    s.vertexOf.push_back(vertex);
                    s.normalOf.push_back(normal);
                    if (uv)
                        s.texCoords.insert(s.texCoords.end(), uv, uv + 2);
                    older.push_back(first[vertex]);
                    first[vertex] = found;
                }
                out.push_back(GLuint(found));
            }
        }
    }
    s.built = true;
}

void RefreshPose(const CMesh& mesh, SharedCorners& s)
{
    const size_t n = s.vertexOf.size();
    s.positions.resize(n * 3);
    s.normals.resize(n * 3);
    for (size_t i = 0; i < n; ++i) {
        std::memcpy(&s.positions[i * 3], mesh.mVertices[s.vertexOf[i]].mPos, 3 * sizeof(GLfloat));
        if (s.normalOf[i] >= 0)
            std::memcpy(&s.normals[i * 3], mesh.mNormals[size_t(s.normalOf[i])].mDir, 3 * sizeof(GLfloat));
        else
            s.normals[i * 3] = s.normals[i * 3 + 1] = s.normals[i * 3 + 2] = 0.0f;
    }
    s.poseValid = true;
}

} // namespace

const SharedCorners& PreparedSharedCorners(const CMesh& mesh, MeshArrays& m)
{
    SharedCorners& s = m.shared;
    if (!s.built)
        Build(mesh, m, s);
    if (!s.poseValid)
        RefreshPose(mesh, s);
    return s;
}

} // namespace nimbus::render
