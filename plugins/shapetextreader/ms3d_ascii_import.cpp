#include "ms3d_ascii_import.h"

#include <algorithm>
#include <cstring>

#include "util/file_io.h"
#include "util/utf16.h"

namespace kestrel::shapetextreader {
namespace {

// Enough for the byte order mark, the header line and a line end.
constexpr size_t kHeaderPeekBytes = 64;

// The format limits parent names to 32 characters; a longer one names no joint.
constexpr size_t kMaxParentName = 32;

bool BuildGroup(const nimbus::ms3d_ascii::Mesh& fm, skGroup* g)
{
    skGroupSetName(g, fm.name.c_str());
    const int32_t vertices = int32_t(fm.vertices.size()), triangles = int32_t(fm.triangles.size());
    if (!skGroupVertexArrayResize(g, vertices, 0) || !skGroupTCoordArrayResize(g, vertices, 0) ||
        !skGroupNormalArrayResize(g, int32_t(fm.normals.size()), 0) || !skGroupTriangleArrayResize(g, triangles, 0))
        return false;
    for (int32_t i = 0; i < vertices; ++i) {
        const nimbus::ms3d_ascii::Vertex& fv = fm.vertices[size_t(i)];
        skVertex* v = skGroupGetVertex(g, i);
        // Every vertex keeps its position, also when it gets an influence.
        skVertexSetVertex(v, fv.position);
        if (fv.joint != -1) {
            skWeight* w = skVertexAddWeight(v);
            if (!w)
                return false;
            skWeightSetVertex(w, fv.position);
            skWeightSetJointInd(w, fv.joint);
            skWeightSetWValue(w, 1.0f);
        }
        skTCoordSet(skGroupGetTCoord(g, i), fv.u, 1.0f - fv.v);
    }
    for (size_t i = 0; i < fm.normals.size(); ++i) {
        const float* n = fm.normals[i].xyz;
        skNormalSet(skGroupGetNormal(g, int32_t(i)), n[0], n[1], n[2]);
    }
    for (int32_t k = 0; k < triangles; ++k) {
        const nimbus::ms3d_ascii::Triangle& ft = fm.triangles[size_t(k)];
        skTriangle* t = skGroupGetTriangle(g, k);
        skTriangleSetVertexIndices(t, ft.vertices[0], ft.vertices[1], ft.vertices[2]);
        skTriangleSetNormalIndices(t, ft.normals[0], ft.normals[1], ft.normals[2]);
        // Texture coordinates belong to the vertices.
        skTriangleSetTextureIndices(t, ft.vertices[0], ft.vertices[1], ft.vertices[2]);
        skTriangleSetMaterial(t, fm.material);
        skTriangleSetSmoothingGroup(t, uint8_t(ft.smoothingGroup & 0xFF));
    }
    return true;
}

void BuildMaterial(const nimbus::ms3d_ascii::Material& fm, skMaterial* m)
{
    skMaterialSetName(m, fm.name.c_str());
    skMaterialSetAmbient(m, fm.ambient);
    skMaterialSetDiffuse(m, fm.diffuse);
    skMaterialSetSpecular(m, fm.specular);
    skMaterialSetEmissive(m, fm.emissive);
    skMaterialSetShininess(m, fm.shininess);
    skMaterialSetTransparency(m, fm.transparency);
    skMaterialSetTextureDiffuse(m, fm.texture.empty() ? nullptr : fm.texture.c_str());
    skMaterialSetTextureAlpha(m, fm.alphaMap.empty() ? nullptr : fm.alphaMap.c_str());
}

bool SetKeys(const std::vector<nimbus::ms3d_ascii::Key>& keys, skJoint* j, bool position)
{
    const int32_t n = int32_t(keys.size());
    if (!(position ? skJointPosKeyArrayResize(j, n, 0) : skJointRotKeyArrayResize(j, n, 0)))
        return false;
    for (int32_t k = 0; k < n; ++k) {
        skKeyFrame* key = position ? skJointGetPositionKey(j, k) : skJointGetRotationKey(j, k);
        // Key times in this format are frames already.
        skKeyFrameSetTime(key, keys[size_t(k)].frame);
        skKeyFrameSetValue(key, keys[size_t(k)].value);
    }
    return true;
}

bool BuildJoint(const nimbus::ms3d_ascii::Joint& fj, skJoint* j)
{
    skJointSetName(j, fj.name.c_str());
    skJointSetParentName(j, fj.parentName.size() > kMaxParentName ? "" : fj.parentName.c_str());
    skJointSetInitialPosition(j, fj.position);
    skJointSetInitialRotation(j, fj.rotation);
    return SetKeys(fj.positionKeys, j, true) && SetKeys(fj.rotationKeys, j, false);
}

} // namespace

bool IsMs3dAsciiText(const uint8_t* data, size_t size)
{
    static constexpr uint8_t kBom[3] = {0xEF, 0xBB, 0xBF};
    if (size >= 3 && std::memcmp(data, kBom, 3) == 0) {
        data += 3;
        size -= 3;
    }
    const size_t header = sizeof(kHeaderLine) - 1;
    if (size < header || std::memcmp(data, kHeaderLine, header) != 0)
        return false;
    for (size_t i = header; i < size && data[i] != '\n'; ++i)
        if (data[i] != ' ' && data[i] != '\t' && data[i] != '\r')
            return false;
    return true;
}

bool FileStartsAsMs3dAscii(const char16_t* fileName)
{
    std::vector<uint8_t> start;
    return fileName && *fileName &&
           nimbus::ReadFileStart(nimbus::Utf16ToUtf8(fileName), start, kHeaderPeekBytes, nimbus::kMaxModelFileBytes) &&
           IsMs3dAsciiText(start.data(), start.size());
}

bool ParseMs3dAscii(const std::vector<uint8_t>& bytes, nimbus::ms3d_ascii::File& out)
{
    return IsMs3dAsciiText(bytes.data(), bytes.size()) &&
           nimbus::ms3d_ascii::Parse(reinterpret_cast<const char*>(bytes.data()), bytes.size(), out);
}

bool BuildModel(const nimbus::ms3d_ascii::File& file, skModel* model)
{
    if (!skModelGroupArrayResize(model, int32_t(file.meshes.size()), 1))
        return false;
    for (size_t i = 0; i < file.meshes.size(); ++i)
        if (!BuildGroup(file.meshes[i], skModelGetGroup(model, int32_t(i))))
            return false;
    if (!skModelMaterialArrayResize(model, int32_t(file.materials.size()), 0))
        return false;
    for (size_t i = 0; i < file.materials.size(); ++i)
        BuildMaterial(file.materials[i], skModelGetMaterial(model, int32_t(i)));
    if (!skModelJointArrayResize(model, int32_t(file.joints.size()), 1))
        return false;
    for (size_t i = 0; i < file.joints.size(); ++i)
        if (!BuildJoint(file.joints[i], skModelGetJoint(model, int32_t(i))))
            return false;
    // The host keeps the length only for a keyed skeleton, as the engine's reader does.
    skModelSetAnimationLength(model, std::max(file.frames, 0));
    return true;
}

} // namespace kestrel::shapetextreader
