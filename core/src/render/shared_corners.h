#pragma once
// The shared corners of a mesh's batches (see SharedCorners).

#include "render/render_cache.h"

class CMesh;

namespace nimbus::render {

// Builds the shared corners from the corner arrays on first use and refreshes their pose
// after the corner arrays changed pose.
const SharedCorners& PreparedSharedCorners(const CMesh& mesh, MeshArrays& m);

} // namespace nimbus::render
