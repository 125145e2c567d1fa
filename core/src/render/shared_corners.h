#pragma once
// The shared corners of a mesh's batches (see SharedCorners).

#include "render/render_cache.h"

class CMesh;

namespace nimbus::render {

// Builds the shared corners from the mesh on first use (m gives only its counts and keeps
// them) and refreshes their pose after a new one.
const SharedCorners& PreparedSharedCorners(const CMesh& mesh, MeshArrays& m);

} // namespace nimbus::render
