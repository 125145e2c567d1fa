#include "terrain_build.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "toolkit/progress_steps.h"

namespace kestrel::terrain {

namespace {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

Vec3 Sub(const skVertex& a, const skVertex& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3 Cross(const Vec3& u, const Vec3& w)
{
    return {u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
}

// (first - second) x (first - third), not normalised.
Vec3 FaceNormal(const skVertex& first, const skVertex& second, const skVertex& third)
{
    return Cross(Sub(first, second), Sub(first, third));
}

void AddMaterial(skModel* model)
{
    skMaterial* material = skModelAddMaterial(model);
    const float black[4] = {0, 0, 0, 0};
    const float diffuse[4] = {0.75f, 0.75f, 0.75f, 1.0f};
    skMaterialSetName(material, "Land Surface");
    skMaterialSetAmbient(material, black);
    skMaterialSetSpecular(material, black);
    skMaterialSetEmissive(material, black);
    skMaterialSetDiffuse(material, diffuse);
    skMaterialSetTextureDiffuse(material, "landsurface.jpg");
}

bool CreateVertices(skGroup* group, const HeightImage& image, const TerrainOptions& o, CJobProgress& progress)
{
    const int32_t w = int32_t(image.width), h = int32_t(image.height);
    const size_t bytesPerPixel = image.bpp / 8;
    const float dx = o.lengthX / float(w), dz = o.widthZ / float(h);
    const float du = o.tileU / float(w), dv = o.tileV / float(h);
    progress.SetStatus("Creating vertices...");
    toolkit::CStepReporter steps(progress, h);
    for (int32_t r = 0; r < h; ++r) {
        if (progress.Cancelled())
            return false;
        const uint8_t* row = image.pixels.data() + size_t(h - 1 - r) * size_t(w) * bytesPerPixel;
        for (int32_t c = 0; c < w; ++c) {
            const int32_t index = r * w + c;
            skVertex* vertex = skGroupGetVertex(group, index);
            vertex->x = float(c) * dx;
            vertex->y = float(row[size_t(c) * bytesPerPixel]) * o.heightY / 255.0f;
            vertex->z = float(r) * dz;
            if (o.textureCoords) {
                skTCoord* tc = skGroupGetTCoord(group, index);
                tc->u = float(c) * du;
                tc->v = o.tileV - float(r) * dv;
            }
        }
        steps.Step(r);
    }
    return true;
}

void SetTriangle(skTriangle* t, int32_t a, int32_t b, int32_t c, bool textured, uint8_t diagonal)
{
    t->vertexIndices[0] = t->normalIndices[0] = a;
    t->vertexIndices[1] = t->normalIndices[1] = b;
    t->vertexIndices[2] = t->normalIndices[2] = c;
    t->textureIndices[0] = textured ? a : -1;
    t->textureIndices[1] = textured ? b : -1;
    t->textureIndices[2] = textured ? c : -1;
    t->edgeFlags[0] = 1;
    t->edgeFlags[1] = 1;
    t->edgeFlags[2] = diagonal;
}

bool CreateTriangles(skGroup* group, int32_t w, int32_t h, const TerrainOptions& o, CJobProgress& progress)
{
    progress.SetStatus("Creating polygons...");
    progress.SetPercent(0);
    const uint8_t diagonal = o.quadWireframe ? 0 : 1;
    toolkit::CStepReporter steps(progress, h - 1);
    int32_t k = 0;
    for (int32_t r = 0; r + 1 < h; ++r) {
        if (progress.Cancelled())
            return false;
        for (int32_t c = 0; c + 1 < w; ++c, ++k) {
            const int32_t a = r * w + c, b = a + 1, d = a + w, e = a + w + 1;
            SetTriangle(skGroupGetTriangle(group, 2 * k), b, a, d, o.textureCoords, diagonal);
            SetTriangle(skGroupGetTriangle(group, 2 * k + 1), d, e, b, o.textureCoords, diagonal);
        }
        steps.Step(r);
    }
    return true;
}

// Sums the face normals of the triangles around each vertex, then normalises.
bool CreateNormals(skGroup* group, int32_t w, int32_t h, CJobProgress& progress)
{
    progress.SetStatus("Calculating normals...");
    progress.SetPercent(0);
    std::vector<Vec3> sums(size_t(w) * size_t(h));
    const int32_t triangles = skGroupGetFaceCount(group);
    std::vector<const skVertex*> vertices(sums.size());
    for (size_t v = 0; v < vertices.size(); ++v)
        vertices[v] = skGroupGetVertex(group, int32_t(v));
    for (int32_t t = 0; t < triangles; ++t) {
        const skTriangle* tri = skGroupGetTriangle(group, t);
        const int32_t* v = tri->vertexIndices;
        const Vec3 n = FaceNormal(*vertices[size_t(v[0])], *vertices[size_t(v[1])], *vertices[size_t(v[2])]);
        for (int k = 0; k < 3; ++k) {
            Vec3& sum = sums[size_t(v[k])];
            sum.x += n.x;
            sum.y += n.y;
            sum.z += n.z;
        }
    }
    toolkit::CStepReporter steps(progress, h);
    for (int32_t r = 0; r < h; ++r) {
        if (progress.Cancelled())
            return false;
        for (int32_t c = 0; c < w; ++c) {
            const int32_t index = r * w + c;
            const Vec3& s = sums[size_t(index)];
            const float length = std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z);
            skNormal* normal = skGroupGetNormal(group, index);
            if (length > 0.0f && std::isfinite(length))
                skNormalSet(normal, s.x / length, s.y / length, s.z / length);
            else
                skNormalSet(normal, 0.0f, 0.0f, 0.0f);
        }
        steps.Step(r);
    }
    return true;
}

} // namespace

bool BuildTerrain(skModel* model, const HeightImage& image, const TerrainOptions& options, CJobProgress& progress)
{
    if (!model || image.Empty() || (image.bpp != 24 && image.bpp != 32) ||
        image.pixels.size() != size_t(image.width) * image.height * (image.bpp / 8))
        return false;
    const int64_t w = image.width, h = image.height;
    const int64_t vertexCount = w * h;
    const int64_t triangleCount = (w - 1) * (h - 1) * 2;
    if (vertexCount > INT32_MAX || triangleCount > INT32_MAX)
        return false;

    skModelNullify(model);
    skModelSetAnimationLength(model, 0);
    skModelSetFPS(model, 24.0f);
    skGroup* group = skModelAddGroup(model);
    if (!group)
        return false;
    skGroupSetName(group, "Landscape Mesh");
    AddMaterial(model);

    if (!skGroupVertexArrayResize(group, int32_t(vertexCount), 0) ||
        (options.textureCoords && !skGroupTCoordArrayResize(group, int32_t(vertexCount), 0)))
        return false;
    if (!CreateVertices(group, image, options, progress))
        return false;
    if (!skGroupTriangleArrayResize(group, int32_t(triangleCount), 0))
        return false;
    if (!CreateTriangles(group, int32_t(w), int32_t(h), options, progress))
        return false;
    if (!skGroupNormalArrayResize(group, int32_t(vertexCount), 0))
        return false;
    return CreateNormals(group, int32_t(w), int32_t(h), progress);
}

} // namespace kestrel::terrain
