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
    std::vector<Facet> facets;
};

enum class ParseStatus {
    Ok,
    NotStl,    // neither a complete ASCII solid nor a binary file
    BadSize,   // binary, but the size is not 84 + 50 x N
    TooLarge,  // binary, more triangles than a model can hold
};

// Tries the ASCII form first (a solid ended by "endsolid"), then the binary form.
ParseStatus Parse(const uint8_t* data, size_t size, File& out);

const char* Describe(ParseStatus status);

} // namespace kestrel::stl
