#include "stl_import.h"

#include <cstring>

#include "importkit/corner_normals.h"
#include "importkit/group_normals.h"
#include "stl_weld.h"

namespace kestrel::stl {
namespace {

bool StoreTriangles(skGroup* group, const std::vector<int32_t>& corners)
{
    const size_t count = corners.size() / 3;
    if (!skGroupTriangleArrayResize(group, int32_t(count), 0))
        return false;
    for (size_t t = 0; t < count; ++t) {
        skTriangle* triangle = skGroupGetTriangle(group, int32_t(t));
        skTriangleSetVertexIndices(triangle, corners[t * 3], corners[t * 3 + 1], corners[t * 3 + 2]);
        skTriangleSetNormalIndices(triangle, -1, -1, -1);
    }
    return true;
}

bool StoreVertices(skGroup* group, const std::vector<float>& positions)
{
    const size_t count = positions.size() / 3;
    if (count > size_t(INT32_MAX) || !skGroupVertexArrayResize(group, int32_t(count), 0))
        return false;
    for (size_t v = 0; v < count; ++v)
        skVertexSetVertex(skGroupGetVertex(group, int32_t(v)), &positions[v * 3]);
    return true;
}

} // namespace

bool BuildModel(const File& file, skModel* model)
{
    skGroup* group = skModelAddGroup(model);
    if (!group)
        return false;
    skGroupSetName(group, file.name.c_str());

    WeldedMesh mesh;
    WeldCorners(file, mesh);
    if (!StoreTriangles(group, mesh.corners) || !StoreVertices(group, mesh.positions))
        return false;

    const size_t count = file.FacetCount();
    std::vector<float> facetNormals(count * 3);
    for (size_t f = 0; f < count; ++f)
        std::memcpy(&facetNormals[f * 3], file.FacetAt(f).normal, sizeof(float) * 3);
    const auto joins = [&facetNormals](size_t i, size_t j) {
        const float* a = &facetNormals[i * 3];
        const float* b = &facetNormals[j * 3];
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] >= kCreaseCosine;
    };
    importkit::CornerNormals normals;
    return importkit::BuildCornerNormals(mesh.corners.data(), count, mesh.positions.size() / 3,
                                         facetNormals.data(), joins, normals) &&
           importkit::StoreCornerNormals(group, normals);
}

} // namespace kestrel::stl
