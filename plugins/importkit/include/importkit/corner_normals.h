#pragma once
// Smooth vertex normals for triangle lists, shared by the mesh importers.
//
// For each triangle corner still without a normal, the triangles around the corner's
// vertex that join the triangle (a crease angle or a smoothing-group test) are
// walked in order: the first one that already has a normal at that vertex lends its
// index; otherwise the face normals of all joining triangles are averaged into a new
// normal. The walk uses per-vertex triangle lists, so the work grows with the number
// of triangles around each vertex, never with the square of the mesh.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrel::importkit {

struct CornerNormals {
    std::vector<int32_t> cornerNormal;  // 3 per triangle
    std::vector<float> normals;         // 3 per normal; at least one per vertex
};

// For every vertex the triangles that use it, in triangle order; a triangle that uses
// a vertex at two corners is listed twice.
struct VertexTriangles {
    std::vector<uint32_t> start;  // vertexCount + 1 offsets into list
    std::vector<uint32_t> list;
};

// corners: 3 vertex indices per triangle, each below vertexCount. Triangles marked in
// `leftOut` (when given) are not listed.
void BuildVertexTriangles(const int32_t* corners, size_t triangleCount, size_t vertexCount, VertexTriangles& out,
                          const std::vector<bool>* leftOut = nullptr);

// Normalises v in place; a zero-length vector becomes (0, 0, 0).
void NormalizeOrZero(float* v);

// The unit normal (B - A) x (C - A) of a triangle, or (0, 0, 0) when degenerate.
void TriangleNormal(const float* a, const float* b, const float* c, float* out);

// Walk steps allowed for a mesh of the given corner count. Real meshes need a few per
// corner; a vertex shared by a huge number of triangles that do not join each other
// would need steps growing with the square of their number, and is refused instead.
inline uint64_t CornerWalkBudget(size_t cornerCount) { return uint64_t(cornerCount) * 256 + (uint64_t(1) << 26); }

// joins(i, j): whether triangle j takes part in the smoothing of triangle i.
// The normal list is as long as the vertex count, or longer when more normals are
// needed; entries no corner names stay (0, 0, 0). False when the walks exceed
// CornerWalkBudget.
//
// isolated(i): triangle i joins no other and none joins it (a degenerate triangle under a
// crease-angle test). Such triangles are kept out of the walks, so that a vertex shared by
// a huge number of them costs no more than their count.
template <class Joins, class Isolated>
bool BuildCornerNormals(const int32_t* corners, size_t triangleCount, size_t vertexCount, const float* faceNormals,
                        Joins joins, Isolated isolated, CornerNormals& out)
{
    std::vector<bool> alone(triangleCount);
    for (size_t i = 0; i < triangleCount; ++i)
        alone[i] = isolated(i);
    VertexTriangles around;
    BuildVertexTriangles(corners, triangleCount, vertexCount, around, &alone);
    out.cornerNormal.assign(triangleCount * 3, -1);
    out.normals.assign(vertexCount * 3, 0.0f);
    size_t next = 0;
    uint64_t budget = CornerWalkBudget(triangleCount * 3);
    for (size_t i = 0; i < triangleCount; ++i) {
        const float* own = faceNormals + i * 3;
        for (int k = 0; k < 3; ++k) {
            if (out.cornerNormal[i * 3 + k] != -1)
                continue;
            const uint32_t v = uint32_t(corners[i * 3 + k]);
            float sum[3] = {own[0], own[1], own[2]};
            float count = 1;
            int32_t taken = -1;
            const uint32_t walkEnd = alone[i] ? around.start[v] : around.start[v + 1];
            for (uint32_t n = around.start[v]; n < walkEnd; ++n) {
                if (budget-- == 0)
                    return false;
                const uint32_t j = around.list[n];
                if (j == i || !joins(i, size_t(j)))
                    continue;
                const float* other = faceNormals + size_t(j) * 3;
                sum[0] += other[0];
                sum[1] += other[1];
                sum[2] += other[2];
                const int32_t* c = corners + size_t(j) * 3;
                const int at = uint32_t(c[0]) == v ? 0 : uint32_t(c[1]) == v ? 1 : 2;
                taken = out.cornerNormal[size_t(j) * 3 + at];
                if (taken != -1)
                    break;
                count += 1;
            }
            if (taken != -1) {
                out.cornerNormal[i * 3 + k] = taken;
                continue;
            }
            float normal[3] = {sum[0] / count, sum[1] / count, sum[2] / count};
            NormalizeOrZero(normal);
            if (next >= vertexCount)
                out.normals.insert(out.normals.end(), normal, normal + 3);
            else
                std::copy(normal, normal + 3, out.normals.begin() + std::ptrdiff_t(next * 3));
            out.cornerNormal[i * 3 + k] = int32_t(next++);
        }
    }
    return true;
}

template <class Joins>
bool BuildCornerNormals(const int32_t* corners, size_t triangleCount, size_t vertexCount, const float* faceNormals,
                        Joins joins, CornerNormals& out)
{
    return BuildCornerNormals(corners, triangleCount, vertexCount, faceNormals, joins, [](size_t) { return false; },
                              out);
}

// Under a crease-angle test a triangle without a face normal joins nothing.
inline bool HasNoFaceNormal(const float* faceNormals, size_t i)
{
    const float* n = faceNormals + i * 3;
    return n[0] == 0.0f && n[1] == 0.0f && n[2] == 0.0f;
}

} // namespace kestrel::importkit
