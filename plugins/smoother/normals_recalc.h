#pragma once
// Rebuilding the normals of every group of an exchange record: unit face normals from
// the skinned positions, then vertex normals that average the faces around a vertex
// whose normals lie within the smoothing angle of each other. Smoothing groups are
// cleared.

#include "plugframe/job_progress.h"
#include "tessera/tessera.h"

namespace kestrel::smoother {

// Two faces join when the dot product of their normals is at least this.
float SmoothingThreshold(int angleDegrees);

// Processes the groups in order; Cancel is tested before each group. True when every
// group was processed, false when cancelled (the groups done so far stay changed).
bool RecalculateNormals(skModel* model, int angleDegrees, CJobProgress& progress);

} // namespace kestrel::smoother
