#pragma once
// Turning a read 3D Studio file into materials and groups of the exchange record.

#include "studio3ds_parser.h"
#include "tessera/tessera.h"

namespace kestrel::studio {

// Adds every material, then one group per mesh with vertices, faces, texture
// coordinates and normals smoothed within the faces' smoothing groups. False when
// the record cannot hold them.
bool BuildModel(const File& file, skModel* model);

} // namespace kestrel::studio
