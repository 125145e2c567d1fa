#include "formats/stl_writer.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace kestrel::test::stl {
namespace {

void AppendNumbers(std::string& out, const float* v)
{
    for (int i = 0; i < 3; ++i) {
        char buffer[32];
        const auto r = std::to_chars(buffer, buffer + sizeof(buffer), v[i]);
        out += ' ';
        out.append(buffer, r.ptr);
    }
    out += '\n';
}

void AppendFloat(std::vector<uint8_t>& out, float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(bits >> (8 * i)));
}

Facet MakeFacet(const float* a, const float* b, const float* c)
{
    Facet f;
    std::memcpy(f.v[0], a, 12);
    std::memcpy(f.v[1], b, 12);
    std::memcpy(f.v[2], c, 12);
    const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const float w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    float n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (int i = 0; i < 3; ++i)
        f.normal[i] = length > 0 ? n[i] / length : 0.0f;
    return f;
}

} // namespace

std::string WriteAscii(const std::string& name, const std::vector<Facet>& facets)
{
    std::string out = "solid " + name + "\n";
    for (const Facet& f : facets) {
        out += "  facet normal";
        AppendNumbers(out, f.normal);
        out += "    outer loop\n";
        for (const auto& v : f.v) {
            out += "      vertex";
            AppendNumbers(out, v);
        }
        out += "    endloop\n  endfacet\n";
    }
    out += "endsolid " + name + "\n";
    return out;
}

std::vector<uint8_t> WriteBinary(const std::string& header, const std::vector<Facet>& facets)
{
    std::vector<uint8_t> out(80, 0);
    std::memcpy(out.data(), header.data(), std::min<size_t>(header.size(), 80));
    const uint32_t count = uint32_t(facets.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(count >> (8 * i)));
    out.reserve(84 + 50 * facets.size());
    for (const Facet& f : facets) {
        for (float c : f.normal)
            AppendFloat(out, c);
        for (const auto& v : f.v)
            for (float c : v)
                AppendFloat(out, c);
        out.push_back(0);
        out.push_back(0);
    }
    return out;
}

std::vector<Facet> Cube()
{
    static const float p[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                  {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    static const int sides[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                    {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 4, 7, 3}};
    std::vector<Facet> out;
    for (const auto& s : sides) {
        out.push_back(MakeFacet(p[s[0]], p[s[1]], p[s[2]]));
        out.push_back(MakeFacet(p[s[0]], p[s[2]], p[s[3]]));
    }
    return out;
}

std::vector<Facet> Terrain(int cells)
{
    const auto point = [cells](int x, int y, float* out) {
        out[0] = float(x) / float(cells);
        out[1] = float(y) / float(cells);
        out[2] = 0.1f * std::sin(float(x) * 0.05f) * std::cos(float(y) * 0.07f);
    };
    std::vector<Facet> out;
    out.reserve(size_t(cells) * size_t(cells) * 2);
    for (int y = 0; y < cells; ++y)
        for (int x = 0; x < cells; ++x) {
            float a[3], b[3], c[3], d[3];
            point(x, y, a);
            point(x + 1, y, b);
            point(x + 1, y + 1, c);
            point(x, y + 1, d);
            out.push_back(MakeFacet(a, b, c));
            out.push_back(MakeFacet(a, c, d));
        }
    return out;
}

} // namespace kestrel::test::stl
