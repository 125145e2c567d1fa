#include "studio3ds_import.h"

#include "importkit/corner_normals.h"
#include "importkit/group_normals.h"

namespace kestrel::studio {
namespace {

void SetTexture(skMaterial* material, void (*set)(skMaterial*, const char*), const std::optional<std::string>& name)
{
    if (name)
        set(material, name->c_str());
}

bool AddMaterial(const Material& m, skModel* model)
{
    skMaterial* material = skModelAddMaterial(model);
    if (!material)
        return false;
    if (m.name)
        skMaterialSetName(material, m.name->c_str());
    if (m.ambient)
        skMaterialSetAmbient(material, m.ambient->data());
    if (m.diffuse)
        skMaterialSetDiffuse(material, m.diffuse->data());
    if (m.specular)
        skMaterialSetSpecular(material, m.specular->data());
    if (m.shininess)
        skMaterialSetShininess(material, *m.shininess);
    if (m.transparency)
        skMaterialSetTransparency(material, *m.transparency);
    if (m.doubleSided)
        skMaterialSetDoubleSided(material, 1);
    SetTexture(material, skMaterialSetTextureDiffuse, m.textureDiffuse);
    SetTexture(material, skMaterialSetTextureAlpha, m.textureAlpha);
    SetTexture(material, skMaterialSetTextureReflect, m.textureReflect);
    SetTexture(material, skMaterialSetTextureBump, m.textureBump);
    return true;
}

// A corner's texture coordinate is the one of its vertex, where the mesh has one.
int32_t TexIndex(const Mesh& mesh, uint16_t vertex)
{
    return mesh.textured && vertex < mesh.texCoords.size() / 2 ? int32_t(vertex) : -1;
}

bool StoreFaces(const Mesh& mesh, skGroup* group, std::vector<int32_t>& corners)
{
    const size_t count = mesh.faces.size();
    if (!skGroupTriangleArrayResize(group, int32_t(count), 0))
        return false;
    corners.resize(count * 3);
    for (size_t f = 0; f < count; ++f) {
        const Face& face = mesh.faces[f];
        const uint16_t* v = face.vertices;
        skTriangle* triangle = skGroupGetTriangle(group, int32_t(f));
        skTriangleSetVertexIndices(triangle, v[0], v[1], v[2]);
        skTriangleSetTextureIndices(triangle, TexIndex(mesh, v[0]), TexIndex(mesh, v[1]), TexIndex(mesh, v[2]));
        skTriangleSetNormalIndices(triangle, -1, -1, -1);
        skTriangleSetEdgeFlags(triangle, face.edges[0], face.edges[1], face.edges[2]);
        skTriangleSetMaterial(triangle, face.material);
        for (int k = 0; k < 3; ++k)
            corners[f * 3 + size_t(k)] = v[k];
    }
    return true;
}

bool AddMesh(const Mesh& mesh, skModel* model)
{
    skGroup* group = skModelAddGroup(model);
    if (!group)
        return false;
    skGroupSetName(group, mesh.name.c_str());
    const size_t vertexCount = mesh.positions.size() / 3;
    if (!skGroupVertexArrayResize(group, int32_t(vertexCount), 0))
        return false;
    for (size_t v = 0; v < vertexCount; ++v)
        skVertexSetVertex(skGroupGetVertex(group, int32_t(v)), &mesh.positions[v * 3]);

    std::vector<int32_t> corners;
    if (!StoreFaces(mesh, group, corners))
        return false;

    const size_t tcoordCount = mesh.texCoords.size() / 2;
    if (!skGroupTCoordArrayResize(group, int32_t(tcoordCount), 0))
        return false;
    for (size_t t = 0; t < tcoordCount; ++t)
        skTCoordSet(skGroupGetTCoord(group, int32_t(t)), mesh.texCoords[t * 2], mesh.texCoords[t * 2 + 1]);

    const size_t faceCount = mesh.faces.size();
    std::vector<float> faceNormals(faceCount * 3);
    for (size_t f = 0; f < faceCount; ++f) {
        const int32_t* c = &corners[f * 3];
        importkit::TriangleNormal(&mesh.positions[size_t(c[0]) * 3], &mesh.positions[size_t(c[1]) * 3],
                                  &mesh.positions[size_t(c[2]) * 3], &faceNormals[f * 3]);
    }
    const auto joins = [&mesh](size_t i, size_t j) { return (mesh.faces[i].smoothing & mesh.faces[j].smoothing) != 0; };
    importkit::CornerNormals normals;
    return importkit::BuildCornerNormals(corners.data(), faceCount, vertexCount, faceNormals.data(), joins, normals) &&
           importkit::StoreCornerNormals(group, normals);
}

} // namespace

bool BuildModel(const File& file, skModel* model)
{
    for (const Material& material : file.materials)
        if (!AddMaterial(material, model))
            return false;
    for (const Mesh& mesh : file.meshes)
        if (!AddMesh(mesh, model))
            return false;
    return true;
}

} // namespace kestrel::studio
