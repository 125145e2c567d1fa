#pragma once
// The STL file, ASCII or binary, as read: each solid's name and its facets in file
// order. No welding or normals here; see stl_import.h.

#include <bit>
#include <cstddef>
#include <cstring>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::stl {

struct Facet {
    float normal[3] = {};      // as stored, not normalised
    float corners[3][3] = {};  // three positions
};

// A "solid ... endsolid" block of an ASCII file after the first.
struct Solid {
    std::string name = "Object";
    std::vector<Facet> facets;
};

struct File {
    std::string name = "Object";  // the first solid's, or the binary header's
    bool binary = false;
    std::vector<Facet> facets;       // the facets of an ASCII file's first solid
    std::vector<Solid> laterSolids;  // an ASCII file's further solids, in file order
    // A binary file as read: its facets are decoded from the 50-byte records when used,
    // as a decoded copy would double the memory a large file needs.
    std::vector<uint8_t> binaryFile;

    // The first solid's facets.
    size_t FacetCount() const;
    Facet FacetAt(size_t index) const;  // index below FacetCount()
};

// A binary file: an 80-byte header, the 32-bit facet count, then one record per facet of
// twelve little-endian floats (normal, three corners) and an attribute word, ignored.
constexpr size_t kBinaryRecordsAt = 84;
constexpr size_t kBinaryRecordBytes = 50;

// A record decoded on any host.
void DecodeRecord(const uint8_t* record, Facet& facet);

// Inline: every facet of a large file is taken through here, twice.
inline Facet File::FacetAt(size_t index) const
{
    if (!binary)
        return facets[index];
    const uint8_t* record = binaryFile.data() + kBinaryRecordsAt + kBinaryRecordBytes * index;
    Facet facet;
    if constexpr (std::endian::native == std::endian::little) {
        // The record's floats are the facet's, in the same order.
        static_assert(sizeof(Facet) == 12 * sizeof(float));
        std::memcpy(&facet, record, sizeof(Facet));
    } else {
        DecodeRecord(record, facet);
    }
    return facet;
}

enum class ParseStatus {
    Ok,
    NotStl,    // neither complete ASCII solids nor a binary file
    BadSize,   // binary, but the size is not 84 + 50 x N
    TooLarge,  // more triangles in one solid than a group can hold
};

// Tries the ASCII form first (solids each ended by "endsolid"; lines outside them that
// name no solid are skipped), then the binary form.
ParseStatus Parse(const uint8_t* data, size_t size, File& out);
// The same, but a binary file's bytes are moved into out instead of copied.
ParseStatus Parse(std::vector<uint8_t>&& bytes, File& out);

const char* Describe(ParseStatus status);

} // namespace kestrel::stl
