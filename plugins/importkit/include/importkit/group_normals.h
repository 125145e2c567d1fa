#pragma once
// Writing built corner normals into a group of the exchange record.

#include "importkit/corner_normals.h"
#include "tessera/tessera.h"

namespace kestrel::importkit {

// Sizes the group's normal array to the normal list, fills it, and gives triangle i of
// the group the normal indices of triangle i. False when the record cannot hold them.
bool StoreCornerNormals(skGroup* group, const CornerNormals& normals);

} // namespace kestrel::importkit
