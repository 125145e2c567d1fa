#include "mesh_selection.h"

namespace kestrel::panels {
namespace {

bool InModel(const MeshFlags& flags, int mesh) { return mesh >= 0 && mesh < flags.Count(); }

void SelectOnly(MeshFlags& flags, std::vector<int>& selection, int mesh)
{
    for (int previous : selection)
        if (InModel(flags, previous)) // the list may still name meshes of an earlier model
            flags.Set(previous, kMeshSelected, false);
    selection.assign(1, mesh);
    flags.Set(mesh, kMeshSelected, true);
}

} // namespace

bool SelectMeshItem(MeshFlags& flags, std::vector<int>& selection, int mesh)
{
    if (!InModel(flags, mesh) || (flags.Get(mesh) & kMeshHidden) != 0)
        return false;
    SelectOnly(flags, selection, mesh);
    return true;
}

ToggleOutcome ToggleMeshItem(MeshFlags& flags, std::vector<int>& selection, int mesh)
{
    ToggleOutcome outcome;
    if (!InModel(flags, mesh))
        return outcome;
    outcome.changed = true;
    if ((flags.Get(mesh) & kMeshHidden) != 0) {
        flags.Set(mesh, kMeshHidden, false);
        SelectOnly(flags, selection, mesh);
        outcome.shown = true;
        outcome.focusItem = true;
    } else {
        flags.Set(mesh, kMeshHidden, true);
    }
    return outcome;
}

} // namespace kestrel::panels
