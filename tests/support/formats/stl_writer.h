#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Builds ASCII and binary STL files in memory for the tests, the benchmarks and the
// fuzzing seeds.
namespace kestrel::test::stl {

struct Facet {
    float normal[3] = {};
    float v[3][3] = {};
};

// "solid <name>", the facets, "endsolid <name>"; numbers written so that they read
// back exactly.
std::string WriteAscii(const std::string& name, const std::vector<Facet>& facets);

// The 80-byte header (text cut or padded with zeros), the count and the facets.
std::vector<uint8_t> WriteBinary(const std::string& header, const std::vector<Facet>& facets);

// A unit cube: 12 facets, two per side, normals pointing out.
std::vector<Facet> Cube();

// A height field of cells x cells squares (two facets each) over shared grid points,
// with facet normals computed from the corners.
std::vector<Facet> Terrain(int cells);

} // namespace kestrel::test::stl
