#pragma once
// Measures what a piece of work allocates: the largest single block and the peak of the
// bytes held at once, counted from the probe's start. Every block of the process is seen,
// whether from operator new or malloc, in this program or in a plug-in it loads.
//
// The rule the hostile-input tests hold every reader to: a file may make the program hold
// at most kBytesPerFileByte times its own size plus kFixedBytes, except where the format
// really expands (image pixels, welded meshes), which have limits of their own.

#include <cstddef>
#include <cstdint>

namespace kestrel::test {

constexpr uint64_t kBytesPerFileByte = 256;
constexpr uint64_t kFixedBytes = uint64_t(64) << 20;

inline uint64_t AllocationBudget(uint64_t fileBytes) { return kBytesPerFileByte * fileBytes + kFixedBytes; }

class AllocationProbe {
public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    size_t Largest() const;
    size_t Peak() const;
};

} // namespace kestrel::test
