#pragma once
// Turning a read STL file into one group of the exchange record.

#include "stl_parser.h"
#include "tessera/tessera.h"

namespace kestrel::stl {

// Smoothing joins two facets whose stored normals have a dot product of at least
// this (cos 30 degrees).
constexpr float kCreaseCosine = 0.8660254f;

// Adds one group named after the solid: welded vertices, one triangle per facet and
// smooth normals with a 30 degree crease. False when the record cannot hold them.
bool BuildModel(const File& file, skModel* model);

} // namespace kestrel::stl
