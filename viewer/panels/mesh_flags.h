#pragma once

// A model's mesh flags seen through a small interface, so the selection rules can be
// exercised without an engine model.
namespace kestrel::panels {

constexpr unsigned char kMeshSelected = 1;
constexpr unsigned char kMeshHidden = 2;

class MeshFlags {
public:
    virtual ~MeshFlags() = default;
    virtual int Count() const = 0;
    virtual unsigned char Get(int mesh) const = 0;
    virtual void Set(int mesh, unsigned char flag, bool on) = 0;
};

} // namespace kestrel::panels
