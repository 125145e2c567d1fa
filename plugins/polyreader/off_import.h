#pragma once
// Turning a read OFF file into one group of the exchange record.

#include "off_parser.h"
#include "tessera/tessera.h"

namespace kestrel::off {

// Smoothing joins two triangles whose unit normals have a dot product of at least
// this (cos 30 degrees).
constexpr float kCreaseCosine = 0.8660254f;

// Adds the group "Model": the vertices, each polygon as a triangle fan whose inner
// edges are hidden, and smooth normals with a 30 degree crease. False when the record
// cannot hold them.
bool BuildModel(const File& file, skModel* model);

} // namespace kestrel::off
