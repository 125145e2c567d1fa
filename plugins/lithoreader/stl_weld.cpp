#include "stl_weld.h"

#include <cmath>
#include <cstring>

namespace kestrel::stl {
namespace {

// Bits of a coordinate for hashing: equal floats must give equal bits, so both zeros
// share one pattern.
uint32_t KeyBits(float f)
{
    if (f == 0.0f)
        return 0;
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof(bits));
    return bits;
}

uint64_t Hash(const float* p)
{
    uint64_t h = KeyBits(p[0]) * 0x9E3779B97F4A7C15ull;
    h ^= (h >> 29) ^ (KeyBits(p[1]) * 0xBF58476D1CE4E5B9ull);
    h ^= (h >> 31) ^ (KeyBits(p[2]) * 0x94D049BB133111EBull);
    return h ^ (h >> 32);
}

bool HasNaN(const float* p) { return std::isnan(p[0]) || std::isnan(p[1]) || std::isnan(p[2]); }

// Open addressing over positions without NaN; each slot keeps its position so that a
// probe touches one cache line.
class PositionTable {
public:
    explicit PositionTable(std::vector<float>& positions) : positions_(positions) { Resize(1024); }

    // The index of an equal stored position, or that of p stored as a new one.
    int32_t FindOrAdd(const float* p)
    {
        const int32_t fresh = int32_t(positions_.size() / 3);
        if (HasNaN(p)) {
            positions_.insert(positions_.end(), p, p + 3);
            return fresh;
        }
        size_t at = size_t(Hash(p)) & mask_;
        for (;; at = (at + 1) & mask_) {
            const Slot& slot = slots_[at];
            if (slot.index < 0)
                break;
            if (slot.p[0] == p[0] && slot.p[1] == p[1] && slot.p[2] == p[2])
                return slot.index;
        }
        slots_[at] = Slot{{p[0], p[1], p[2]}, fresh};
        positions_.insert(positions_.end(), p, p + 3);
        if (++used_ * 2 > slots_.size())
            Resize(slots_.size() * 2);
        return fresh;
    }

private:
    struct Slot {
        float p[3];
        int32_t index;  // -1 for an empty slot
    };

    void Resize(size_t size)
    {
        std::vector<Slot> old;
        old.swap(slots_);
        slots_.assign(size, Slot{{0, 0, 0}, -1});
        mask_ = size - 1;
        for (const Slot& slot : old) {
            if (slot.index < 0)
                continue;
            size_t at = size_t(Hash(slot.p)) & mask_;
            while (slots_[at].index >= 0)
                at = (at + 1) & mask_;
            slots_[at] = slot;
        }
    }

    std::vector<float>& positions_;
    std::vector<Slot> slots_;
    size_t mask_ = 0;
    size_t used_ = 0;
};

} // namespace

void WeldCorners(const std::vector<Facet>& facets, WeldedMesh& out)
{
    out.positions.clear();
    out.corners.clear();
    out.corners.reserve(facets.size() * 3);
    PositionTable table(out.positions);
    for (const Facet& facet : facets)
        for (const auto& corner : facet.corners)
            out.corners.push_back(table.FindOrAdd(corner));
}

} // namespace kestrel::stl
