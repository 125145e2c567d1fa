#include "ms3d_ascii_export.h"

#include <string>

#include "toolkit/output_file.h"

namespace kestrel::ms3dascii {

namespace {

using toolkit::COutputFile;

// A quoted name ends at the next double quote and a line at its line end, so neither
// may appear inside; texture names are also limited to 255 bytes, cut between
// characters.
std::string QuotableName(const char* name, size_t maxBytes = std::string::npos)
{
    std::string text = name ? name : "";
    if (text.size() > maxBytes) {
        size_t cut = maxBytes;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text.resize(cut);
    }
    for (char& c : text) {
        if (c == '"')
            c = '\'';
        else if (c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

// Mesh, material and joint names must not be empty, or the file cannot be read back;
// a nameless element gets its kind and number.
std::string ElementName(const char* name, const char* kind, int32_t index)
{
    std::string text = QuotableName(name);
    return text.empty() ? std::string(kind) + " " + std::to_string(index) : text;
}

// The mesh progress: (100 / count) per item done, in whole numbers.
void ItemDone(CJobProgress& progress, int32_t count, int32_t done)
{
    progress.SetPercent(100 / count * done);
    progress.PumpOnce();
}

struct Placed {
    float x = 0, y = 0, z = 0;
    int32_t joint = -1;
};

// Influences collapse to one joint: the position is the weighted sum, the joint the
// one with the strictly largest weight (the first of equal ones), -1 if none is above 0.
Placed PlaceVertex(const skVertex& vertex)
{
    if (vertex.weightCount == 0 || !vertex.weights)
        return {vertex.x, vertex.y, vertex.z, -1};
    Placed placed;
    float best = 0.0f;
    for (int w = 0; w < vertex.weightCount; ++w) {
        const skWeight& weight = vertex.weights[w];
        placed.x += weight.value * weight.x;
        placed.y += weight.value * weight.y;
        placed.z += weight.value * weight.z;
        if (weight.value > best) {
            best = weight.value;
            placed.joint = weight.jointIndex;
        }
    }
    return placed;
}

void WriteMesh(COutputFile& file, const skGroup* group, int32_t index, bool withJoints)
{
    file.Print("\"%s\" 0 -1\n", ElementName(skGroupGetName(group), "Mesh", index).c_str());
    const int32_t vertexCount = skGroupGetVertexCount(group);
    file.Print("%d\n", vertexCount);
    for (int32_t v = 0; v < vertexCount; ++v) {
        const skVertex* vertex = skGroupGetVertex(group, v);
        const Placed p = vertex ? PlaceVertex(*vertex) : Placed{};
        file.Print("0 %f %f %f %f %f %d\n", double(p.x), double(p.y), double(p.z), 0.0, 0.0,
                   withJoints ? p.joint : -1);
    }
    const int32_t normalCount = skGroupGetNormalCount(group);
    file.Print("%d\n", normalCount);
    for (int32_t n = 0; n < normalCount; ++n) {
        const skNormal* normal = skGroupGetNormal(group, n);
        const skNormal value = normal ? *normal : skNormal{};
        file.Print("%f %f %f\n", double(value.x), double(value.y), double(value.z));
    }
    const int32_t faceCount = skGroupGetFaceCount(group);
    file.Print("%d\n", faceCount);
    for (int32_t t = 0; t < faceCount; ++t) {
        const skTriangle* tri = skGroupGetTriangle(group, t);
        const skTriangle value = tri ? *tri : skTriangle{};
        file.Print("0 %d %d %d %d %d %d %d\n", value.vertexIndices[0], value.vertexIndices[1],
                   value.vertexIndices[2], value.normalIndices[0], value.normalIndices[1], value.normalIndices[2],
                   int(value.smoothingGroup));
    }
}

void WriteMaterial(COutputFile& file, const skMaterial* material, int32_t index)
{
    file.Print("\"%s\"\n", ElementName(skMaterialGetName(material), "Material", index).c_str());
    for (const skColor& c : {skMaterialGetAmbient(material), skMaterialGetDiffuse(material),
                             skMaterialGetSpecular(material), skMaterialGetEmissive(material)})
        file.Print("%f %f %f %f\n", double(c.r), double(c.g), double(c.b), double(c.a));
    file.Print("%f\n", double(skMaterialGetShininess(material)));
    file.Print("%f\n", double(skMaterialGetTransparency(material)));
    file.Print("\"%s\"\n", QuotableName(skMaterialGetTextureDiffuse(material), 255).c_str());
    file.Print("\"%s\"\n", QuotableName(skMaterialGetTextureBump(material), 255).c_str());
}

void WriteKeys(COutputFile& file, const skJoint* joint, bool rotation)
{
    const int32_t count = rotation ? skJointGetRotationKeyCount(joint) : skJointGetPositionKeyCount(joint);
    file.Print("%d\n", count);
    for (int32_t k = 0; k < count; ++k) {
        const skKeyFrame* key = rotation ? skJointGetRotationKey(joint, k) : skJointGetPositionKey(joint, k);
        const skKeyFrame value = key ? *key : skKeyFrame{};
        file.Print("%f %f %f %f\n", double(value.time), double(value.value[0]), double(value.value[1]),
                   double(value.value[2]));
    }
}

void WriteJoint(COutputFile& file, const skJoint* joint, int32_t index, bool withAnimation)
{
    file.Print("\"%s\"\n", ElementName(skJointGetName(joint), "Joint", index).c_str());
    file.Print("\"%s\"\n", QuotableName(skJointGetParentName(joint)).c_str());
    const skVec3 p = skJointGetInitialPosition(joint);
    const skVec3 r = skJointGetInitialRotation(joint);
    file.Print("0 %f %f %f %f %f %f\n", double(p.x), double(p.y), double(p.z), double(r.x), double(r.y),
               double(r.z));
    if (withAnimation) {
        WriteKeys(file, joint, false);
        WriteKeys(file, joint, true);
    } else {
        file.Print("0\n0\n");
    }
}

} // namespace

ExportResult ExportMs3dAscii(const skModel* model, const std::string& path, const ExportOptions& options,
                             CJobProgress& progress)
{
    COutputFile file;
    if (!file.Open(path))
        return ExportResult::WriteError;
    const bool animation = options.skeleton && options.animation;

    file.Print("// MilkShape 3D ASCII\n// Created with Kestrel MS3D ASCII Export Plug-In\n\n");
    if (animation)
        file.Print("Frames: %d\nFrame: 1\n\n", skModelGetAnimationLength(model));
    else
        file.Print("Frames: 1\nFrame: 1\n\n");

    if (options.meshes) {
        progress.SetStatus("Writing mesh data...");
        progress.SetPercent(0);
        const int32_t count = skModelGetGroupCount(model);
        file.Print("Meshes: %d\n", count);
        for (int32_t m = 0; m < count; ++m) {
            WriteMesh(file, skModelGetGroup(model, m), m, options.skeleton);
            ItemDone(progress, count, m + 1);
        }
        file.Print("\n");
    } else {
        file.Print("Meshes: 0\n");
    }

    if (options.materials) {
        progress.SetStatus("Writing material data...");
        progress.SetPercent(0);
        const int32_t count = skModelGetMaterialCount(model);
        file.Print("Materials: %d\n", count);
        for (int32_t m = 0; m < count; ++m) {
            WriteMaterial(file, skModelGetMaterial(model, m), m);
            ItemDone(progress, count, m + 1);
        }
        file.Print("\n");
    } else {
        file.Print("Materials: 0\n");
    }

    if (options.skeleton) {
        progress.SetStatus("Writing joint data...");
        progress.SetPercent(0);
        const int32_t count = skModelGetJointCount(model);
        file.Print("Bones: %d\n", count);
        for (int32_t j = 0; j < count; ++j) {
            WriteJoint(file, skModelGetJoint(model, j), j, animation);
            ItemDone(progress, count, j + 1);
        }
    } else {
        file.Print("Bones: 0\n");
    }
    return file.Commit() ? ExportResult::Written : ExportResult::WriteError;
}

} // namespace kestrel::ms3dascii
