#pragma once
#include <vector>

#include "objects_input.h"

namespace kestrel::panels {

// For every joint, the index of its parent joint or kNoParentJoint. The parent is the first
// joint in the list whose name equals the parent name, ASCII letters compared without
// regard to case, wherever it stands in the list. An empty parent name, a joint naming
// itself and a missing name give no parent; in a cycle of parent names the earliest joint
// of the cycle loses its parent, so every joint is reachable from a root.
constexpr int kNoParentJoint = -1;

std::vector<int> FindJointParents(const std::vector<JointEntry>& joints);

} // namespace kestrel::panels
