#include "stl_weld.h"

#include <algorithm>
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
    // expected: the number of distinct positions likely to come, to size the table once.
    PositionTable(std::vector<float>& positions, size_t expected) : positions_(positions)
    {
        size_t size = 1024;
        while (size < expected * 2)
            size *= 2;
        Resize(size);
    }

    // Fetches the slot a hash starts at ahead of its lookup: the table is far larger
    // than the caches, and lookups of a whole batch can wait for memory together.
    void Prefetch(uint64_t hash) const { __builtin_prefetch(&slots_[size_t(hash) & mask_]); }

    // The index of an equal stored position, or that of p stored as a new one.
    int32_t FindOrAdd(const float* p, uint64_t hash)
    {
        const int32_t fresh = int32_t(positions_.size() / 3);
        if (HasNaN(p)) {
            Store(p);
            return fresh;
        }
        size_t at = size_t(hash) & mask_;
        for (;; at = (at + 1) & mask_) {
            const Slot& slot = slots_[at];
            if (slot.index < 0)
                break;
            if (slot.p[0] == p[0] && slot.p[1] == p[1] && slot.p[2] == p[2])
                return slot.index;
        }
        slots_[at] = Slot{{p[0], p[1], p[2]}, fresh};
        Store(p);
        if (++used_ * 2 > slots_.size())
            Resize(slots_.size() * 2);
        return fresh;
    }

private:
    void Store(const float* p)
    {
        positions_.push_back(p[0]);
        positions_.push_back(p[1]);
        positions_.push_back(p[2]);
    }

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

// Facets are welded in batches: decode, hash and prefetch the batch, then look it up.
constexpr size_t kBatchFacets = 32;
constexpr size_t kBatchCorners = kBatchFacets * 3;

// facetAt(i) gives facet i of count.
template <class FacetAt>
void WeldFacets(size_t count, FacetAt facetAt, FacetNormal normal, WeldedMesh& out)
{
    out.positions.clear();
    out.corners.clear();
    out.facetNormals.clear();
    out.corners.reserve(count * 3);
    if (normal)
        out.facetNormals.resize(count * 3);
    // A closed mesh of shared vertices has about half as many vertices as triangles.
    const size_t expected = count / 2 + 1;
    out.positions.reserve(expected * 3);
    PositionTable table(out.positions, expected);
    float batch[kBatchCorners][3];
    uint64_t hashes[kBatchCorners];
    for (size_t first = 0; first < count; first += kBatchFacets) {
        const size_t corners = std::min(kBatchFacets, count - first) * 3;
        for (size_t f = 0; f * 3 < corners; ++f) {
            const Facet& facet = facetAt(first + f);
            std::memcpy(batch[f * 3], facet.corners, sizeof(float) * 9);
            if (normal)
                normal(facet, &out.facetNormals[(first + f) * 3]);
        }
        for (size_t c = 0; c < corners; ++c) {
            hashes[c] = Hash(batch[c]);
            table.Prefetch(hashes[c]);
        }
        for (size_t c = 0; c < corners; ++c)
            out.corners.push_back(table.FindOrAdd(batch[c], hashes[c]));
    }
}

} // namespace

void WeldCorners(const File& file, WeldedMesh& out, FacetNormal normal)
{
    WeldFacets(file.FacetCount(), [&file](size_t f) { return file.FacetAt(f); }, normal, out);
}

void WeldCorners(const std::vector<Facet>& facets, WeldedMesh& out, FacetNormal normal)
{
    WeldFacets(facets.size(), [&facets](size_t f) -> const Facet& { return facets[f]; }, normal, out);
}

} // namespace kestrel::stl
