#pragma once
#include <string>
#include <vector>

// Builds Object File Format text files for the tests, the benchmarks and the fuzzing
// seeds.
namespace kestrel::test::off {

struct Mesh {
    std::vector<float> positions;          // 3 per vertex
    std::vector<std::vector<int>> faces;   // vertex indices per polygon
};

// The header line, "V F 0", a line per vertex and a line per face.
std::string Write(const Mesh& mesh, const std::string& header = "OFF");

// cells x cells faces over shared grid points, alternating quads and pentagons (a
// pentagon has an extra corner halfway along its first edge).
Mesh QuadsAndPentagons(int cells);

} // namespace kestrel::test::off
