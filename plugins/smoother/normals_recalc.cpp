#include "normals_recalc.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "importkit/corner_normals.h"
#include "toolkit/progress_steps.h"

namespace kestrel::smoother {

namespace {

using importkit::BuildCornerNormals;
using importkit::CornerNormals;

void SkinnedPosition(const skVertex* vertex, float* out)
{
    out[0] = out[1] = out[2] = 0.0f;
    if (!vertex)
        return;
    if (vertex->weightCount == 0 || !vertex->weights) {
        out[0] = vertex->x;
        out[1] = vertex->y;
        out[2] = vertex->z;
        return;
    }
    for (int w = 0; w < vertex->weightCount; ++w) {
        const skWeight& weight = vertex->weights[w];
        out[0] += weight.x * weight.value;
        out[1] += weight.y * weight.value;
        out[2] += weight.z * weight.value;
    }
}

std::string Status(int group, int groups, const char* phase)
{
    char text[128];
    std::snprintf(text, sizeof(text), "Processing mesh %d of %d: %s", group, groups, phase);
    return text;
}

// One group. Triangles naming a vertex that does not exist take no part and keep the
// normal indices -1.
void ProcessGroup(skGroup* group, int number, int groups, float threshold, CJobProgress& progress)
{
    progress.SetStatus(Status(number, groups, "Calculating face normals..."));
    skGroupNullifyNormals(group);
    progress.SetPercent(0);
    const int32_t faceCount = skGroupGetFaceCount(group);
    const int32_t vertexCount = skGroupGetVertexCount(group);

    std::vector<float> positions(size_t(vertexCount) * 3);
    for (int32_t v = 0; v < vertexCount; ++v)
        SkinnedPosition(skGroupGetVertex(group, v), &positions[size_t(v) * 3]);

    std::vector<int32_t> used;  // record index of each smoothed triangle
    std::vector<int32_t> corners;
    std::vector<float> faceNormals;
    used.reserve(size_t(faceCount));
    corners.reserve(size_t(faceCount) * 3);
    faceNormals.reserve(size_t(faceCount) * 3);
    toolkit::CStepReporter facePhase(progress, faceCount, 2);
    for (int32_t i = 0; i < faceCount; ++i) {
        skTriangle* triangle = skGroupGetTriangle(group, i);
        if (!triangle)
            continue;
        skTriangleSetNormalIndices(triangle, -1, -1, -1);
        skTriangleSetSmoothingGroup(triangle, 0);
        const int32_t* v = triangle->vertexIndices;
        if (v[0] >= 0 && v[0] < vertexCount && v[1] >= 0 && v[1] < vertexCount && v[2] >= 0 &&
            v[2] < vertexCount) {
            float normal[3];
            importkit::TriangleNormal(&positions[size_t(v[0]) * 3], &positions[size_t(v[1]) * 3],
                                      &positions[size_t(v[2]) * 3], normal);
            used.push_back(i);
            corners.insert(corners.end(), v, v + 3);
            faceNormals.insert(faceNormals.end(), normal, normal + 3);
        }
        facePhase.Step(i);
    }

    progress.SetStatus(Status(number, groups, "Calculating vertex normals..."));
    CornerNormals built;
    const float* n = faceNormals.data();
    BuildCornerNormals(corners.data(), used.size(), size_t(vertexCount), n,
                       [n, threshold](size_t i, size_t j) {
                           const float* a = n + i * 3;
                           const float* b = n + j * 3;
                           return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] >= threshold;
                       },
                       built);

    const size_t normalCount = built.normals.size() / 3;
    if (!skGroupNormalArrayResize(group, int32_t(normalCount), 0))
        return;
    for (size_t k = 0; k < normalCount; ++k)
        skNormalSet(skGroupGetNormal(group, int32_t(k)), built.normals[k * 3], built.normals[k * 3 + 1],
                    built.normals[k * 3 + 2]);
    toolkit::CStepReporter vertexPhase(progress, int64_t(used.size()), 2, 50);
    for (size_t u = 0; u < used.size(); ++u) {
        const int32_t* c = &built.cornerNormal[u * 3];
        skTriangleSetNormalIndices(skGroupGetTriangle(group, used[u]), c[0], c[1], c[2]);
        vertexPhase.Step(int64_t(u));
    }
}

} // namespace

float SmoothingThreshold(int angleDegrees) { return float(std::cos(double(angleDegrees) * 0.017453292)); }

bool RecalculateNormals(skModel* model, int angleDegrees, CJobProgress& progress)
{
    const float threshold = SmoothingThreshold(angleDegrees);
    const int32_t groups = skModelGetGroupCount(model);
    for (int32_t g = 0; g < groups; ++g) {
        if (progress.Cancelled())
            return false;
        ProcessGroup(skModelGetGroup(model, g), g + 1, groups, threshold, progress);
    }
    return !progress.Cancelled();
}

} // namespace kestrel::smoother
