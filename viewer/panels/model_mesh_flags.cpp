#include "model_mesh_flags.h"

#include "nimbus/model.h"

namespace kestrel::panels {

static_assert(kMeshSelected == SK_MESH_SELECTED && kMeshHidden == SK_MESH_HIDDEN);

int ModelMeshFlags::Count() const { return int(model_.mMeshes.size()); }

unsigned char ModelMeshFlags::Get(int mesh) const { return model_.GetMeshFlag(mesh); }

void ModelMeshFlags::Set(int mesh, unsigned char flag, bool on) { model_.SetMeshFlag(mesh, flag, on); }

} // namespace kestrel::panels
