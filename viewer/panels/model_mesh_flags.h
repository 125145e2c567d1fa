#pragma once
#include "mesh_flags.h"

class CModel;

namespace kestrel::panels {

// The mesh flags of an engine model.
class ModelMeshFlags : public MeshFlags {
public:
    explicit ModelMeshFlags(CModel& model) : model_(model) {}
    int Count() const override;
    unsigned char Get(int mesh) const override;
    void Set(int mesh, unsigned char flag, bool on) override;

private:
    CModel& model_;
};

} // namespace kestrel::panels
