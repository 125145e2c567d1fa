#include "render/shared_corners.h"

#include <cstring>

#include "nimbus/model.h"

namespace nimbus::render {
namespace {

// Corners compared per vertex before a new one is made regardless: a hostile mesh with
// thousands of normals on one vertex costs duplicates, never quadratic time.
constexpr int kMaxCompared = 8;

bool InRange(int32_t index, size_t count) { return index >= 0 && size_t(index) < count; }

void Build(const CMesh& mesh, MeshArrays& m, SharedCorners& s)
{
    const bool textured = !m.texCoords.empty();
    std::vector<int32_t> first(m.vertexCount, -1); // newest shared corner of each vertex
    std::vector<int32_t> older;                    // the one made before it, per shared corner
    s.batches.resize(m.batches.size());
    for (size_t b = 0; b < m.batches.size(); ++b) {
        std::vector<GLuint>& out = s.batches[b];
        out.reserve(m.batches[b].corners.size());
        for (GLuint corner : m.batches[b].corners) {
            const size_t slot = corner / 3, c = corner % 3;
            const CTriangle& tri = mesh.mTriangles[m.triangles[slot]];
            const uint32_t vertex = uint32_t(tri.mVertices[c]);
            const int32_t normal = InRange(tri.mNormals[c], m.normalCount) ? tri.mNormals[c] : -1;
            const GLfloat* uv = textured ? &m.texCoords[size_t(corner) * 2] : nullptr;
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
