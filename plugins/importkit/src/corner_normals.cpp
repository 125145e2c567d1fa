#include "importkit/corner_normals.h"

namespace kestrel::importkit {

void BuildVertexTriangles(const int32_t* corners, size_t triangleCount, size_t vertexCount, VertexTriangles& out,
                          const std::vector<bool>* leftOut)
{
    const auto listed = [leftOut](size_t triangle) { return !leftOut || !(*leftOut)[triangle]; };
    out.start.assign(vertexCount + 1, 0);
    for (size_t n = 0; n < triangleCount * 3; ++n)
        if (listed(n / 3))
            ++out.start[size_t(corners[n]) + 1];
    for (size_t v = 0; v < vertexCount; ++v)
        out.start[v + 1] += out.start[v];
    out.list.resize(out.start[vertexCount]);
    std::vector<uint32_t> fill(out.start.begin(), out.start.end() - 1);
    for (size_t n = 0; n < triangleCount * 3; ++n)
        if (listed(n / 3))
            out.list[fill[size_t(corners[n])]++] = uint32_t(n / 3);
}

void NormalizeOrZero(float* v)
{
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length > 0.0f && std::isfinite(length)) {
        v[0] /= length;
        v[1] /= length;
        v[2] /= length;
    } else {
        v[0] = v[1] = v[2] = 0.0f;
    }
}

void TriangleNormal(const float* a, const float* b, const float* c, float* out)
{
    const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const float w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    out[0] = u[1] * w[2] - u[2] * w[1];
    out[1] = u[2] * w[0] - u[0] * w[2];
    out[2] = u[0] * w[1] - u[1] * w[0];
    NormalizeOrZero(out);
}

} // namespace kestrel::importkit
