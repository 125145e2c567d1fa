#include "ms3d_import.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "formats/afs/afs_file.h"
#include "importkit/import_file.h"
#include "util/multibyte.h"

namespace kestrel::shapebin {
namespace {

using nimbus::ms3d::File;

// Group vertex index of each file vertex the group uses.
using VertexMap = std::unordered_map<uint16_t, int32_t>;

bool BuildGroup(const File& file, const nimbus::ms3d::Group& fg, skGroup* g, VertexMap& map)
{
    skGroupSetName(g, fg.name.c_str());
    const int32_t n = int32_t(fg.triangles.size());
    for (uint16_t t : fg.triangles)
        for (uint16_t v : file.triangles[t].vertices)
            map.emplace(v, int32_t(map.size()));
    if (!skGroupVertexArrayResize(g, int32_t(map.size()), 0) || !skGroupTriangleArrayResize(g, n, 0) ||
        !skGroupNormalArrayResize(g, 3 * n, 0) || !skGroupTCoordArrayResize(g, 3 * n, 0))
        return false;
    std::vector<bool> filled(map.size(), false);
    for (int32_t k = 0; k < n; ++k) {
        const nimbus::ms3d::Triangle& ft = file.triangles[fg.triangles[size_t(k)]];
        int32_t corners[3];
        for (int c = 0; c < 3; ++c) {
            corners[c] = map.at(ft.vertices[c]);
            if (!filled[size_t(corners[c])]) {
                filled[size_t(corners[c])] = true;
                const nimbus::ms3d::Vertex& fv = file.vertices[ft.vertices[c]];
                skVertex* v = skGroupGetVertex(g, corners[c]);
                if (fv.joint == -1) {
                    skVertexSetVertex(v, fv.position);
                } else if (skWeight* w = skVertexAddWeight(v)) {
                    skWeightSetVertex(w, fv.position);
                    skWeightSetJointInd(w, fv.joint);
                    skWeightSetWValue(w, 1.0f);
                }
            }
            skNormalSet(skGroupGetNormal(g, 3 * k + c), ft.normals[c][0], ft.normals[c][1], ft.normals[c][2]);
            skTCoordSet(skGroupGetTCoord(g, 3 * k + c), ft.s[c], 1.0f - ft.t[c]);
        }
        skTriangle* t = skGroupGetTriangle(g, k);
        skTriangleSetVertexIndices(t, corners[0], corners[1], corners[2]);
        skTriangleSetNormalIndices(t, 3 * k, 3 * k + 1, 3 * k + 2);
        skTriangleSetTextureIndices(t, 3 * k, 3 * k + 1, 3 * k + 2);
        skTriangleSetSmoothingGroup(t, ft.smoothingGroup);
        skTriangleSetMaterial(t, fg.material);
    }
    return true;
}

void BuildMaterial(const nimbus::ms3d::Material& fm, skMaterial* m)
{
    skMaterialSetName(m, fm.name.c_str());
    skMaterialSetAmbient(m, fm.ambient);
    skMaterialSetDiffuse(m, fm.diffuse);
    skMaterialSetSpecular(m, fm.specular);
    skMaterialSetEmissive(m, fm.emissive);
    skMaterialSetShininess(m, fm.shininess);
    skMaterialSetTransparency(m, fm.transparency);
    // Names from other programs may be in a legacy code page; the record keeps UTF-8.
    skMaterialSetTextureDiffuseW(m, nimbus::MultiByteToWide(fm.texture).c_str());
    skMaterialSetTextureAlphaW(m, nimbus::MultiByteToWide(fm.alphaMap).c_str());
}

bool BuildJoint(const nimbus::ms3d::Joint& fj, float fps, skJoint* j)
{
    skJointSetName(j, fj.name.c_str());
    skJointSetParentName(j, fj.parentName.c_str());
    skJointSetInitialRotation(j, fj.rotation);
    skJointSetInitialPosition(j, fj.position);
    if (!skJointRotKeyArrayResize(j, int32_t(fj.rotationKeys.size()), 0) ||
        !skJointPosKeyArrayResize(j, int32_t(fj.positionKeys.size()), 0))
        return false;
    // Key times are stored in seconds; the record counts frames.
    for (size_t k = 0; k < fj.rotationKeys.size(); ++k) {
        skKeyFrame* key = skJointGetRotationKey(j, int32_t(k));
        skKeyFrameSetTime(key, fj.rotationKeys[k].time * fps);
        skKeyFrameSetValue(key, fj.rotationKeys[k].value);
    }
    for (size_t k = 0; k < fj.positionKeys.size(); ++k) {
        skKeyFrame* key = skJointGetPositionKey(j, int32_t(k));
        skKeyFrameSetTime(key, fj.positionKeys[k].time * fps);
        skKeyFrameSetValue(key, fj.positionKeys[k].value);
    }
    return true;
}

// Extra joints and weights for vertices that already have one influence.
void ApplyVertexExtras(const File& file, skModel* model, const std::vector<VertexMap>& maps)
{
    if (file.vertexExtraVersion == 0)
        return;
    const float f = file.vertexExtraVersion == 2 ? 0.01f : 1.0f / 255.0f;
    for (size_t g = 0; g < maps.size(); ++g) {
        skGroup* group = skModelGetGroup(model, int32_t(g));
        for (const auto& [fileVertex, groupVertex] : maps[g]) {
            const nimbus::ms3d::VertexExtra& e = file.vertexExtras[fileVertex];
            skVertex* v = skGroupGetVertex(group, groupVertex);
            if (!v || skVertexGetWeightCount(v) < 1 || e.weights[0] == 0 || e.joints[0] < 0)
                continue;
            skWeightSetWValue(skVertexGetWeight(v, 0), e.weights[0] * 0.01f);
            const skVec3 at = skWeightGetVertex(skVertexGetWeight(v, 0));
            const float position[3] = {at.x, at.y, at.z};
            const unsigned sum = unsigned(e.weights[0]) + e.weights[1] + e.weights[2];
            for (int k = 0; k < 3; ++k) {
                if (e.joints[k] < 0)
                    continue;
                skWeight* w = skVertexAddWeight(v);
                if (!w)
                    return;
                skWeightSetVertex(w, position);
                skWeightSetJointInd(w, e.joints[k]);
                if (k < 2 && e.weights[k + 1] != 0)
                    skWeightSetWValue(w, e.weights[k + 1] * f);
                else if (k == 2 && sum != 0)
                    skWeightSetWValue(w, 1.0f - float(sum) * f);
            }
        }
    }
}

} // namespace

bool BuildModel(const File& file, skModel* model)
{
    if (!model || !skModelGroupArrayResize(model, int32_t(file.groups.size()), 1))
        return false;
    std::vector<VertexMap> maps(file.groups.size());
    for (size_t g = 0; g < file.groups.size(); ++g)
        if (!BuildGroup(file, file.groups[g], skModelGetGroup(model, int32_t(g)), maps[g]))
            return false;
    if (!skModelMaterialArrayResize(model, int32_t(file.materials.size()), 0))
        return false;
    for (size_t i = 0; i < file.materials.size(); ++i)
        BuildMaterial(file.materials[i], skModelGetMaterial(model, int32_t(i)));
    skModelSetFPS(model, file.framesPerSecond);
    skModelSetAnimationLength(model, file.totalFrames);
    if (!skModelJointArrayResize(model, int32_t(file.joints.size()), 1))
        return false;
    const float fps = skModelGetFPS(model);
    for (size_t i = 0; i < file.joints.size(); ++i)
        if (!BuildJoint(file.joints[i], fps, skModelGetJoint(model, int32_t(i))))
            return false;
    ApplyVertexExtras(file, model, maps);
    return true;
}

std::u16string SideFileName(const std::u16string& modelFile)
{
    // Only a dot in the file's own name counts, not one in a folder name.
    const size_t slash = modelFile.find_last_of(u"/\\");
    const size_t dot = modelFile.find_last_of(u'.');
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash))
        return {};
    return modelFile.substr(0, dot) + u".afs";
}

void ApplySideFile(const std::u16string& sideFile, skModel* model)
{
    std::vector<uint8_t> bytes;
    if (sideFile.empty() || !kestrel::importkit::ReadImportFile(sideFile.c_str(), bytes))
        return;
    std::vector<nimbus::afs::Sequence> sequences;
    const nimbus::afs::ParseStatus status = nimbus::afs::Parse(bytes.data(), bytes.size(), sequences);
    if (status == nimbus::afs::ParseStatus::BadHeader)
        return;
    skModelNullifyLoops(model);
    const int32_t length = skModelGetAnimationLength(model);
    const auto valid = [&](int32_t frame) { return frame >= 0 && frame <= length; };
    bool ok = status == nimbus::afs::ParseStatus::Ok;
    for (const nimbus::afs::Sequence& s : sequences)
        ok = ok && valid(s.start) && valid(s.end);
    if (!ok || !skModelLoopArrayResize(model, int32_t(sequences.size()), 0)) {
        skModelNullifyLoops(model);
        return;
    }
    for (size_t i = 0; i < sequences.size(); ++i) {
        skLoop* loop = skModelGetLoop(model, int32_t(i));
        // The name field holds all 64 bytes of the file's name.
        std::memcpy(loop->name, sequences[i].name.data(), std::min<size_t>(sequences[i].name.size(), 64));
        skLoopSetStartTime(loop, float(sequences[i].start));
        skLoopSetEndTime(loop, float(sequences[i].end));
        skLoopSetPriority(loop, sequences[i].priority);
    }
}

} // namespace kestrel::shapebin
