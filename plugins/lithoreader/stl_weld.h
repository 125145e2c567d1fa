#pragma once
// Welding of identical STL corners into shared vertices.

#include <cstdint>
#include <vector>

#include "stl_parser.h"

namespace kestrel::stl {

struct WeldedMesh {
    std::vector<float> positions;     // 3 per unique vertex, in order of first use
    std::vector<int32_t> corners;     // 3 vertex indices per facet
    std::vector<float> facetNormals;  // 3 per facet when a FacetNormal was given, else empty
};

// A facet's normal as the caller wants it, taken while the facet is decoded for welding,
// so that a binary file's records are decoded once.
using FacetNormal = void (*)(const Facet& facet, float* out);

// A corner takes the index of the first earlier position whose three coordinates
// compare equal (so -0.0 matches 0.0, and a position holding NaN matches nothing);
// otherwise it becomes a new vertex. Exact coordinates are hashed, so the cost is
// linear in the number of corners.
// The file's first solid.
void WeldCorners(const File& file, WeldedMesh& out, FacetNormal normal = nullptr);
void WeldCorners(const std::vector<Facet>& facets, WeldedMesh& out, FacetNormal normal = nullptr);

} // namespace kestrel::stl
