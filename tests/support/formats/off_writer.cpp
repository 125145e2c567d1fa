#include "formats/off_writer.h"

#include <charconv>

namespace kestrel::test::off {

std::string Write(const Mesh& mesh, const std::string& header)
{
    std::string out = header + "\n";
    out += std::to_string(mesh.positions.size() / 3) + " " + std::to_string(mesh.faces.size()) + " 0\n";
    char buffer[32];
    for (size_t v = 0; v < mesh.positions.size(); v += 3) {
        for (int i = 0; i < 3; ++i) {
            const auto r = std::to_chars(buffer, buffer + sizeof(buffer), mesh.positions[v + size_t(i)]);
            out.append(buffer, r.ptr);
            out += i < 2 ? ' ' : '\n';
        }
    }
    for (const auto& face : mesh.faces) {
        out += std::to_string(face.size());
        for (int index : face)
            out += " " + std::to_string(index);
        out += '\n';
    }
    return out;
}

Mesh QuadsAndPentagons(int cells)
{
    // Grid points plus one midpoint on the bottom edge of every cell, so that odd
    // cells can be pentagons (the midpoint is a fifth corner on the straight edge).
    Mesh mesh;
    const int side = cells + 1;
    for (int y = 0; y <= cells; ++y)
        for (int x = 0; x <= cells; ++x)
            mesh.positions.insert(mesh.positions.end(), {float(x), float(y), float((x * 7 + y * 3) % 5) * 0.1f});
    const int midpoints = int(mesh.positions.size() / 3);
    for (int y = 0; y < cells; ++y)
        for (int x = 0; x < cells; ++x)
            mesh.positions.insert(mesh.positions.end(), {float(x) + 0.5f, float(y), float((x * 7 + y * 3) % 5) * 0.1f});
    for (int y = 0; y < cells; ++y)
        for (int x = 0; x < cells; ++x) {
            const int a = y * side + x, b = a + 1, c = a + side + 1, d = a + side;
            if ((x + y) % 2 == 0)
                mesh.faces.push_back({a, b, c, d});
            else
                mesh.faces.push_back({a, midpoints + y * cells + x, b, c, d});
        }
    return mesh;
}

} // namespace kestrel::test::off
