#pragma once
// Turning a read BVH file into a skeleton with one position and one rotation key per
// frame for every joint record, and one loop over all frames.

#include "bvh_parser.h"
#include "tessera/tessera.h"

namespace kestrel::bvh {

// False when the record cannot hold the joints or keys.
bool BuildModel(const File& file, skModel* model);

} // namespace kestrel::bvh
