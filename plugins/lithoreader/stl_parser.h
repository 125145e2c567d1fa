#pragma once
// The STL file, ASCII or binary, as read: the solid's name and its facets in file
// order. No welding or normals here; see stl_import.h.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::stl {

struct Facet {
    float normal[3] = {};      // as stored, not normalised
    float corners[3][3] = {};  // three positions
};

struct File {
    std::string name = "Object";
    bool binary = false;
    std::vector<Facet> facets;  // the facets of an ASCII file
    // A binary file as read: its facets are decoded from the 50-byte records when used,
    // as a decoded copy would double the memory a large file needs.
    std::vector<uint8_t> binaryFile;

    size_t FacetCount() const;
    Facet FacetAt(size_t index) const;  // index below FacetCount()
};

enum class ParseStatus {
    Ok,
    NotStl,    // neither a complete ASCII solid nor a binary file
    BadSize,   // binary, but the size is not 84 + 50 x N
    TooLarge,  // binary, more triangles than a model can hold
};

// Tries the ASCII form first (a solid ended by "endsolid"), then the binary form.
ParseStatus Parse(const uint8_t* data, size_t size, File& out);
// The same, but a binary file's bytes are moved into out instead of copied.
ParseStatus Parse(std::vector<uint8_t>&& bytes, File& out);

const char* Describe(ParseStatus status);

} // namespace kestrel::stl
