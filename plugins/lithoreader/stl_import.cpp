#include "stl_import.h"

#include <cmath>
#include <cstring>
#include <string>

#include "importkit/corner_normals.h"
#include "importkit/group_normals.h"
#include "importkit/side_by_side.h"
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
bool BuildGroup(const std::string& name, const WeldedMesh& mesh, size_t count, Threads threads, skModel* model)
{
    skGroup* group = skModelAddGroup(model);
    if (!group)
        return false;
    skGroupSetName(group, name.c_str());

    const std::vector<float>& facetNormals = mesh.facetNormals;
    const auto joins = [&facetNormals](size_t i, size_t j) {
        const float* a = &facetNormals[i * 3];
        const float* b = &facetNormals[j * 3];
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] >= kCreaseCosine;
    };
    importkit::CornerNormals normals;
    bool smoothed = false;
    bool stored = false;
    // The group's triangles and vertices are written here, into the memory the file's bytes
    // left, while the normals, which read only the mesh, are made on the side.
    importkit::SideBySide(
        threads == Threads::AsWorthwhile && importkit::WorthSideBySide(count),
        [&] { stored = StoreTriangles(group, mesh.corners) && StoreVertices(group, mesh.positions); },
        [&] {
            smoothed = importkit::BuildCornerNormals(mesh.corners.data(), count, mesh.positions.size() / 3,
                                                     facetNormals.data(), joins, normals);
        });
    return smoothed && stored && importkit::StoreCornerNormals(group, normals);
}

// The first solid's facet normals as UsableFacetNormal gives them, appended to out.
void UsableFacetNormals(const File& file, std::vector<float>& out)
{
    float normal[3];
    for (size_t f = 0; f < file.FacetCount(); ++f) {
        UsableFacetNormal(file.FacetAt(f), normal);
        out.push_back(normal[0]);
        out.push_back(normal[1]);
        out.push_back(normal[2]);
    }
}

// A large file's facet normals are taken on a second thread while its corners are welded;
// a small one's in the same pass, so that each record is decoded once.
void WeldFirstSolid(const File& file, Threads threads, WeldedMesh& mesh)
{
    if (threads == Threads::One || !importkit::WorthSideBySide(file.FacetCount())) {
        WeldCorners(file, mesh, UsableFacetNormal);
        return;
    }
    // Reserved on this thread: where each thread has a heap of its own, the memory then comes
    // from the one the file's bytes go back to.
    std::vector<float> facetNormals;
    facetNormals.reserve(file.FacetCount() * 3);
    importkit::SideBySide(
        true, [&] { WeldCorners(file, mesh); }, [&] { UsableFacetNormals(file, facetNormals); });
    mesh.facetNormals = std::move(facetNormals);
}

// spent: when given, the file's bytes, freed once welded.
bool Build(const File& file, Threads threads, skModel* model, std::vector<uint8_t>* spent)
{
    WeldedMesh mesh;
    WeldFirstSolid(file, threads, mesh);
    const size_t count = file.FacetCount();
    if (spent)
        std::vector<uint8_t>().swap(*spent);
    if (!BuildGroup(file.name, mesh, count, threads, model))
        return false;
    for (const Solid& solid : file.laterSolids) {
        WeldCorners(solid.facets, mesh, UsableFacetNormal);
        if (!BuildGroup(solid.name, mesh, solid.facets.size(), threads, model))
            return false;
    }
    return true;
}
} // namespace

bool BuildModel(const File& file, skModel* model, Threads threads) { return Build(file, threads, model, nullptr); }

bool BuildModelFreeingBytes(File& file, skModel* model)
{
    return Build(file, Threads::AsWorthwhile, model, &file.binaryFile);
}

} // namespace kestrel::stl
