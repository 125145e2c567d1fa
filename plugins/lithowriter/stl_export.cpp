#include "stl_export.h"

#include <cstdint>
#include <cstring>

#include "toolkit/output_file.h"
#include "toolkit/progress_steps.h"

namespace kestrel::stl {

namespace {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

// A vertex with weights lies at the weighted sum of the weights' positions.
Vec3 SkinnedPosition(const skVertex* vertex)
{
    if (!vertex)
        return {};
    if (vertex->weightCount == 0 || !vertex->weights)
        return {vertex->x, vertex->y, vertex->z};
    Vec3 sum;
    for (int w = 0; w < vertex->weightCount; ++w) {
        const skWeight& weight = vertex->weights[w];
        sum.x += weight.x * weight.value;
        sum.y += weight.y * weight.value;
        sum.z += weight.z * weight.value;
    }
    return sum;
}

// The average of the corner normals, not normalised; a missing normal counts as zero.
Vec3 FacetNormal(const skGroup* group, const skTriangle& triangle)
{
    Vec3 sum;
    for (int k = 0; k < 3; ++k) {
        if (const skNormal* n = skGroupGetNormal(group, triangle.normalIndices[k])) {
            sum.x += n->x;
            sum.y += n->y;
            sum.z += n->z;
        }
    }
    const float third = 0.33333334f;
    return {sum.x * third, sum.y * third, sum.z * third};
}

void PutFloat(unsigned char*& out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    for (int i = 0; i < 4; ++i)
        *out++ = static_cast<unsigned char>(bits >> (8 * i));
}

void WriteBinaryHeader(toolkit::COutputFile& file, int32_t triangleCount)
{
    unsigned char header[84] = {};
    std::memcpy(header, "Kestrel Model", 13);
    const uint32_t n = uint32_t(triangleCount);
    for (int i = 0; i < 4; ++i)
        header[80 + i] = static_cast<unsigned char>(n >> (8 * i));
    file.Write(header, sizeof(header));
}

void WriteBinaryFacet(toolkit::COutputFile& file, const Vec3& normal, const Vec3 (&corners)[3])
{
    unsigned char record[50] = {};
    unsigned char* out = record;
    PutFloat(out, normal.x);
    PutFloat(out, normal.y);
    PutFloat(out, normal.z);
    for (const Vec3& c : corners) {
        PutFloat(out, c.x);
        PutFloat(out, c.y);
        PutFloat(out, c.z);
    }
    file.Write(record, sizeof(record));  // the attribute word stays 0
}

void WriteAsciiFacet(toolkit::COutputFile& file, const Vec3& normal, const Vec3 (&corners)[3])
{
    file.Print("  facet normal %f %f %f\n", double(normal.x), double(normal.y), double(normal.z));
    file.Print("    outer loop\n");
    for (const Vec3& c : corners)
        file.Print("      vertex %f %f %f\n", double(c.x), double(c.y), double(c.z));
    file.Print("    endloop\n");
    file.Print("  endfacet\n");
}

} // namespace

ExportResult ExportStl(const skModel* model, const std::string& path, const ExportOptions& options,
                       CJobProgress& progress)
{
    toolkit::COutputFile file;
    if (!file.Open(path))
        return ExportResult::WriteError;

    // The header's count must match what follows, so it is the sum of the groups'
    // triangles that are actually written.
    int64_t total = 0;
    const int32_t groupCount = skModelGetGroupCount(model);
    for (int32_t g = 0; g < groupCount; ++g)
        total += skGroupGetFaceCount(skModelGetGroup(model, g));
    if (total > int64_t(INT32_MAX))
        total = INT32_MAX;

    if (options.binary)
        WriteBinaryHeader(file, int32_t(total));
    else
        file.Print("solid Object (Created with Kestrel STL Export Plug-In v1.1)\n");

    toolkit::CStepReporter steps(progress, total);
    int64_t done = 0;
    for (int32_t g = 0; g < groupCount && done < total; ++g) {
        const skGroup* group = skModelGetGroup(model, g);
        const int32_t faces = skGroupGetFaceCount(group);
        for (int32_t t = 0; t < faces && done < total; ++t) {
            const skTriangle* found = skGroupGetTriangle(group, t);
            const skTriangle triangle = found ? *found : skTriangle{};  // the count in the header must hold
            const Vec3 normal = FacetNormal(group, triangle);
            Vec3 corners[3];
            for (int k = 0; k < 3; ++k)
                corners[k] = SkinnedPosition(skGroupGetVertex(group, triangle.vertexIndices[k]));
            if (options.binary)
                WriteBinaryFacet(file, normal, corners);
            else
                WriteAsciiFacet(file, normal, corners);
            steps.Step(++done);
        }
    }
    if (!options.binary)
        file.Print("endsolid Object\n");
    return file.Commit() ? ExportResult::Written : ExportResult::WriteError;
}

} // namespace kestrel::stl
