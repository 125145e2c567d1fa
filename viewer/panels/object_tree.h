#pragma once
#include <string>
#include <vector>

#include "objects_input.h"

// The objects tree as plain data. Nodes are stored in pre-order: a node's parent comes
// before it and siblings keep their order, so a tree widget is filled by one pass over
// `nodes` without recursion (a skeleton may be a chain of 65,535 joints).
namespace kestrel::panels {

constexpr int kNoParent = -1;
constexpr int kNoMesh = -1;

struct ObjectNode {
    std::string text;
    int parent = kNoParent; // index into ObjectTree::nodes
    int mesh = kNoMesh;     // the mesh index of a mesh item
    bool meshHidden = false;
};

struct ObjectTree {
    std::vector<ObjectNode> nodes;
    std::vector<int> meshNodes; // node index of every mesh item, in mesh order
};

// "Skeleton" and "Materials" are placed below "Scene Objects", after the meshes.
ObjectTree BuildObjectTree(const ObjectsInput& input);

} // namespace kestrel::panels
