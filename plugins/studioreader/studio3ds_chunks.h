#pragma once
// Walking the chunk tree of a 3D Studio file held in memory. Every chunk lies inside
// its parent: a length shorter than a header or running past the parent ends the
// walk of that parent.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel::studio {

struct Chunk {
    uint16_t id = 0;
    size_t begin = 0;  // the header
    size_t data = 0;   // after the 6-byte header
    size_t end = 0;
};

class ChunkData {
public:
    ChunkData(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}
    size_t Size() const { return size_; }

    // The chunk whose header starts at pos, if it fits between pos and limit.
    bool ChunkAt(size_t pos, size_t limit, Chunk& out) const;

    // Reads at pos (advancing it) when the value fits before limit.
    bool U8(size_t& pos, size_t limit, uint8_t& out) const;
    bool U16(size_t& pos, size_t limit, uint16_t& out) const;
    bool U32(size_t& pos, size_t limit, uint32_t& out) const;
    bool F32(size_t& pos, size_t limit, float& out) const;
    // Zero-terminated text; false when no zero comes before limit.
    bool Text(size_t& pos, size_t limit, std::string& out) const;

private:
    const uint8_t* data_;
    size_t size_;
};

} // namespace kestrel::studio
