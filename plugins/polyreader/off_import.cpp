#include "off_import.h"

#include "importkit/corner_normals.h"
#include "importkit/group_normals.h"

namespace kestrel::off {
namespace {

struct Fan {
    std::vector<int32_t> corners;  // 3 per triangle
    std::vector<uint8_t> edges;    // 3 per triangle: first to second, second to third, third to first corner
};

// Polygon c0 .. c(n-1) becomes the triangles (c0, c(t+1), c(t+2)); only the edges on
// the polygon's outline stay visible.
void SplitIntoFans(const File& file, Fan& out)
{
    size_t triangles = 0;
    for (size_t f = 0; f < file.FaceCount(); ++f) {
        const uint32_t n = file.faceStart[f + 1] - file.faceStart[f];
        triangles += n > 2 ? n - 2 : 0;
    }
    out.corners.reserve(triangles * 3);
    out.edges.reserve(triangles * 3);
    for (size_t f = 0; f < file.FaceCount(); ++f) {
        const uint32_t first = file.faceStart[f];
        const uint32_t n = file.faceStart[f + 1] - first;
        for (uint32_t t = 0; t + 2 < n; ++t) {
            const int32_t* c = &file.corners[first];
            out.corners.insert(out.corners.end(), {c[0], c[t + 1], c[t + 2]});
            out.edges.insert(out.edges.end(), {uint8_t(t == 0), uint8_t(1), uint8_t(t + 3 == n)});
        }
    }
}

} // namespace

bool BuildModel(const File& file, skModel* model)
{
    skGroup* group = skModelAddGroup(model);
    if (!group)
        return false;
    skGroupSetName(group, "Model");

    const size_t vertexCount = file.VertexCount();
    if (vertexCount > size_t(INT32_MAX) || !skGroupVertexArrayResize(group, int32_t(vertexCount), 0))
        return false;
    for (size_t v = 0; v < vertexCount; ++v)
        skVertexSetVertex(skGroupGetVertex(group, int32_t(v)), &file.positions[v * 3]);

    Fan fan;
    SplitIntoFans(file, fan);
    const size_t triangleCount = fan.corners.size() / 3;
    if (triangleCount > size_t(INT32_MAX) / 3 || !skGroupTriangleArrayResize(group, int32_t(triangleCount), 0))
        return false;
    std::vector<float> faceNormals(triangleCount * 3);
    for (size_t t = 0; t < triangleCount; ++t) {
        const int32_t* c = &fan.corners[t * 3];
        const uint8_t* e = &fan.edges[t * 3];
        skTriangle* triangle = skGroupGetTriangle(group, int32_t(t));
        skTriangleSetVertexIndices(triangle, c[0], c[1], c[2]);
        skTriangleSetNormalIndices(triangle, -1, -1, -1);
        skTriangleSetEdgeFlags(triangle, e[0], e[1], e[2]);
        importkit::TriangleNormal(&file.positions[size_t(c[0]) * 3], &file.positions[size_t(c[1]) * 3],
                                  &file.positions[size_t(c[2]) * 3], &faceNormals[t * 3]);
    }

    const auto joins = [&faceNormals](size_t i, size_t j) {
        const float* a = &faceNormals[i * 3];
        const float* b = &faceNormals[j * 3];
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] >= kCreaseCosine;
    };
    importkit::CornerNormals normals;
    // A polygon that keeps returning to one vertex fans into triangles without area; they
    // join nothing, and leaving them out keeps the smoothing linear.
    const auto isolated = [&faceNormals](size_t i) { return importkit::HasNoFaceNormal(faceNormals.data(), i); };
    return importkit::BuildCornerNormals(fan.corners.data(), triangleCount, vertexCount, faceNormals.data(), joins,
                                         isolated, normals) &&
           importkit::StoreCornerNormals(group, normals);
}

} // namespace kestrel::off
