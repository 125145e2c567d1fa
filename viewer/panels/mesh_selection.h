#pragma once
#include <vector>

#include "mesh_flags.h"

// What selecting and toggling a mesh item does to the mesh flags and to the document's
// selection list of mesh indices.
namespace kestrel::panels {

// Makes `mesh` the only selected mesh unless it is hidden. True when it did, that is when
// the view needs a redraw; an index outside the model changes nothing.
bool SelectMeshItem(MeshFlags& flags, std::vector<int>& selection, int mesh);

struct ToggleOutcome {
    bool changed = false;   // the view needs a redraw
    bool shown = false;     // the mesh was hidden and is shown now
    bool focusItem = false; // the mesh's item should get the focus
};

// Shows a hidden mesh and makes it the only selected one; hides any other.
ToggleOutcome ToggleMeshItem(MeshFlags& flags, std::vector<int>& selection, int mesh);

} // namespace kestrel::panels
