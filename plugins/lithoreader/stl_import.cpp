#include "stl_import.h"

#include <cmath>
#include <cstring>
#include <string>

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

// The stored normal, or the corners' own where the stored one has no usable length:
// many writers store (0, 0, 0) for every facet, which would smooth to black.
void UsableFacetNormal(const Facet& facet, float* out)
{
    const float* stored = facet.normal;
    const float length = std::sqrt(stored[0] * stored[0] + stored[1] * stored[1] + stored[2] * stored[2]);
    if (length > 0.0f && std::isfinite(length))
        std::memcpy(out, stored, sizeof(float) * 3);
    else
        importkit::TriangleNormal(facet.corners[0], facet.corners[1], facet.corners[2], out);
}

// One group of count facets; mesh holds their welded corners and facet normals.
bool BuildGroup(const std::string& name, const WeldedMesh& mesh, size_t count, skModel* model)
{
    skGroup* group = skModelAddGroup(model);
    if (!group)
        return false;
    skGroupSetName(group, name.c_str());
    if (!StoreTriangles(group, mesh.corners) || !StoreVertices(group, mesh.positions))
        return false;

    const std::vector<float>& facetNormals = mesh.facetNormals;
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

// spent: when given, the file's bytes, freed once welded.
bool Build(const File& file, skModel* model, std::vector<uint8_t>* spent)
{
    WeldedMesh mesh;
    WeldCorners(file, mesh, UsableFacetNormal);
    const size_t count = file.FacetCount();
    if (spent)
        *spent = {};
    if (!BuildGroup(file.name, mesh, count, model))
        return false;
    for (const Solid& solid : file.laterSolids) {
        WeldCorners(solid.facets, mesh, UsableFacetNormal);
        if (!BuildGroup(solid.name, mesh, solid.facets.size(), model))
            return false;
    }
    return true;
}
} // namespace

bool BuildModel(const File& file, skModel* model) { return Build(file, model, nullptr); }

bool BuildModelFreeingBytes(File& file, skModel* model) { return Build(file, model, &file.binaryFile); }

} // namespace kestrel::stl
