#pragma once
// Turning a read STL file into groups of the exchange record, one per solid.

#include "stl_parser.h"
#include "tessera/tessera.h"

namespace kestrel::stl {

// Smoothing joins two facets whose normals have a dot product of at least this
// (cos 30 degrees). A facet's normal is the stored one, or, when that has zero or no
// finite length, the unit normal of its corners.
constexpr float kCreaseCosine = 0.8660254f;

// A large file's independent steps run on two threads where there are two cores; the
// groups are the same either way.
enum class Threads { AsWorthwhile, One };

// Adds one group per solid, in file order, named after it: welded vertices, one
// triangle per facet and smooth normals with a 30 degree crease. False when the record
// cannot hold them.
bool BuildModel(const File& file, skModel* model, Threads threads = Threads::AsWorthwhile);
// The same, but a binary file's bytes are freed once its facets are welded: the record's
// arrays then take that memory instead of fresh pages. The file holds no facets after.
bool BuildModelFreeingBytes(File& file, skModel* model);

} // namespace kestrel::stl
