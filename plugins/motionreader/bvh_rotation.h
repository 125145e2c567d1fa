#pragma once
// A joint's rotation channels, in the order the file lists them, turned into the
// engine's Euler angles (x applied first, then y, then z: R = Rz * Ry * Rx).

#include "bvh_parser.h"

namespace kestrel::bvh {

// axes: the three rotation channels in file order; degrees: their values. The
// file's rotation is the product of the axis rotations in listed order (Z X Y means
// Rz * Rx * Ry). When the turning axes already come in the engine's order (z before y
// before x, ignoring axes turned by exactly 0) the angles are taken as they are;
// otherwise they are recovered from the rotation matrix.
void EngineEulers(const Channel axes[3], const float degrees[3], float radians[3]);

} // namespace kestrel::bvh
