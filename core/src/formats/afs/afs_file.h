#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Animation splitter files: named frame ranges that divide a model's timeline.
namespace nimbus::afs {

struct Sequence {
    std::string name; // 64-byte field, cut at the first zero
    int32_t start = 0;
    int32_t end = 0;
    uint16_t priority = 0;
};

enum class ParseStatus {
    Ok,
    BadHeader,  // no "AFS" magic, or a count that is not positive
    Truncated,  // fewer records than the count promises
};

ParseStatus Parse(const uint8_t* data, size_t size, std::vector<Sequence>& out);

} // namespace nimbus::afs
