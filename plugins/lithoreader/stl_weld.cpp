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

bool SamePosition(const float* a, const float* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

class PositionTable {
public:
    explicit PositionTable(std::vector<float>& positions) : positions_(positions) { Rehash(1024); }

    // The index of an equal stored position, or that of p stored as a new one.
    int32_t FindOrAdd(const float* p)
    {
        const int32_t fresh = int32_t(positions_.size() / 3);
        if (std::isnan(p[0]) || std::isnan(p[1]) || std::isnan(p[2])) {
            positions_.insert(positions_.end(), p, p + 3);
            return fresh;
        }
        size_t slot = size_t(Hash(p)) & mask_;
        for (;; slot = (slot + 1) & mask_) {
            const int32_t index = slots_[slot];
            if (index < 0)
                break;
            if (SamePosition(&positions_[size_t(index) * 3], p))
                return index;
        }
        slots_[slot] = fresh;
        positions_.insert(positions_.end(), p, p + 3);
        if (++used_ * 2 > slots_.size())
            Rehash(slots_.size() * 2);
        return fresh;
    }

private:
    void Rehash(size_t size)
    {
        slots_.assign(size, -1);
        mask_ = size - 1;
        const size_t count = positions_.size() / 3;
        for (size_t i = 0; i < count; ++i) {
            const float* p = &positions_[i * 3];
            if (std::isnan(p[0]) || std::isnan(p[1]) || std::isnan(p[2]))
                continue;
            size_t slot = size_t(Hash(p)) & mask_;
            while (slots_[slot] >= 0)
                slot = (slot + 1) & mask_;
            slots_[slot] = int32_t(i);
        }
    }

    std::vector<float>& positions_;
    std::vector<int32_t> slots_;
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
