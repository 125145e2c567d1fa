#include "model_dump.h"

#include <cstdio>
#include <string>

#include "toolkit/output_file.h"
#include "toolkit/progress_steps.h"

namespace kestrel::datalister {

namespace {

using toolkit::COutputFile;

const char* Text(const char* s) { return s ? s : ""; }

void Separator(COutputFile& file) { file.Print("#################################################\n"); }

void SectionHeader(COutputFile& file, const char* title)
{
    Separator(file);
    file.Print("# %s\n", title);
    Separator(file);
}

std::string ItemStatus(const char* kind, int number, int count)
{
    char text[96];
    std::snprintf(text, sizeof(text), "Writing %s %d/%d info...", kind, number, count);
    return text;
}

struct Section {
    const char* status;      // shown while the section starts
    const char* title;
    const char* countLabel;  // printed before the item count
    const char* item;        // the kind of item, for the status line of each
};

// Opens a section, then writes its items one by one with a status line each and steady
// progress; stops early when cancelled.
template <class WriteItem>
void WriteSection(COutputFile& file, CJobProgress& progress, const Section& section, int32_t count,
                  WriteItem writeItem)
{
    progress.SetStatus(section.status);
    progress.SetPercent(0);
    SectionHeader(file, section.title);
    file.Print("%s%d\n\n", section.countLabel, count);
    toolkit::CStepReporter steps(progress, count);
    for (int32_t i = 0; i < count && !progress.Cancelled(); ++i) {
        progress.SetStatus(ItemStatus(section.item, i + 1, count));
        writeItem(i);
        steps.Step(i + 1);
    }
}

void WriteOverall(COutputFile& file, const skModel* model)
{
    SectionHeader(file, "Overall Information");
    file.Print("Mesh Count:             %d\n", skModelGetGroupCount(model));
    file.Print("Vertex Count:           %d\n", skModelGetVertexCount(model));
    file.Print("Normal Count:           %d\n", skModelGetNormalCount(model));
    file.Print("Texture Coord Count:    %d\n", skModelGetTCoordsCount(model));
    file.Print("Face Count:             %d\n", skModelGetFaceCount(model));
    file.Print("Material Count:         %d\n", skModelGetMaterialCount(model));
    file.Print("Joint Count:            %d\n", skModelGetJointCount(model));
    file.Print("Animation Length:       %d frames\n", skModelGetAnimationLength(model));
    file.Print("Animation Speed:        %f fps\n", double(skModelGetFPS(model)));
    file.Print("Animation Loop Count:   %d\n", skModelGetLoopCount(model));
    file.Print("\n");
}

void WriteVertices(COutputFile& file, const skGroup* group, int m)
{
    file.Print("# Mesh %d - Vertices\n", m);
    const int32_t count = skGroupGetVertexCount(group);
    for (int32_t v = 0; v < count; ++v) {
        const skVertex* vertex = skGroupGetVertex(group, v);
        const int32_t weights = skVertexGetWeightCount(vertex);
        if (weights == 0) {
            const skVec3 p = skVertexGetVertex(vertex);
            file.Print("Vertex %d (not weighted) X=%f Y=%f Z=%f\n", v, double(p.x), double(p.y), double(p.z));
            continue;
        }
        file.Print("Vertex %d (weighted)\n  Weight Count:          %d\n", v, weights);
        for (int32_t w = 0; w < weights; ++w) {
            const skWeight* weight = skVertexGetWeight(vertex, w);
            const skVec3 p = skWeightGetVertex(weight);
            file.Print("  Weight %d - Joint=%d Value=%f X=%f Y=%f Z=%f\n", w, skWeightGetJointInd(weight),
                       double(skWeightGetWValue(weight)), double(p.x), double(p.y), double(p.z));
        }
    }
    file.Print("\n");
}

void WriteNormals(COutputFile& file, const skGroup* group, int m)
{
    file.Print("# Mesh %d - Normals\n", m);
    const int32_t count = skGroupGetNormalCount(group);
    for (int32_t n = 0; n < count; ++n) {
        const skNormal* normal = skGroupGetNormal(group, n);
        const skNormal value = normal ? *normal : skNormal{};
        file.Print("Normal %d  X=%f Y=%f Z=%f\n", n, double(value.x), double(value.y), double(value.z));
    }
    file.Print("\n");
}

void WriteTexCoords(COutputFile& file, const skGroup* group, int m)
{
    file.Print("# Mesh %d - Texture Coordinates\n", m);
    const int32_t count = skGroupGetTCoordsCount(group);
    for (int32_t t = 0; t < count; ++t) {
        const skTCoord* tc = skGroupGetTCoord(group, t);
        const skTCoord value = tc ? *tc : skTCoord{};
        file.Print("Tex.Coordinate %d  U=%f V=%f\n", t, double(value.u), double(value.v));
    }
    file.Print("\n");
}

void WriteFaces(COutputFile& file, const skGroup* group, int m)
{
    file.Print("# Mesh %d - Faces\n", m);
    const int32_t count = skGroupGetFaceCount(group);
    for (int32_t f = 0; f < count; ++f) {
        const skTriangle* tri = skGroupGetTriangle(group, f);
        const skTriangle t = tri ? *tri : skTriangle{};
        file.Print("Face %d  Verts: %d, %d, %d; Norms: %d, %d, %d; Tex.Coords: %d, %d, %d; Edges: %d, %d, %d; "
                   "Material: %d; Sm.Group: %d\n",
                   f, t.vertexIndices[0], t.vertexIndices[1], t.vertexIndices[2], t.normalIndices[0],
                   t.normalIndices[1], t.normalIndices[2], t.textureIndices[0], t.textureIndices[1],
                   t.textureIndices[2], int(t.edgeFlags[0]), int(t.edgeFlags[1]), int(t.edgeFlags[2]),
                   t.materialIndex, int(t.smoothingGroup));
    }
    file.Print("\n");
}

void WriteMeshes(COutputFile& file, const skModel* model, CJobProgress& progress)
{
    const Section section{"Writing meshes...", "Mesh Information", "Mesh Count:             ", "mesh"};
    WriteSection(file, progress, section, skModelGetGroupCount(model), [&](int32_t m) {
        const skGroup* group = skModelGetGroup(model, m);
        file.Print("# Mesh %d\n", m);
        file.Print("Name:                   %s\n", Text(skGroupGetName(group)));
        file.Print("Vertices:               %d\n", skGroupGetVertexCount(group));
        file.Print("Normals:                %d\n", skGroupGetNormalCount(group));
        file.Print("Texture Coords:         %d\n", skGroupGetTCoordsCount(group));
        file.Print("Faces:                  %d\n", skGroupGetFaceCount(group));
        file.Print("Flags:                  %d\n\n", int(skGroupGetFlags(group)));
        WriteVertices(file, group, m);
        progress.PumpOnce();
        WriteNormals(file, group, m);
        progress.PumpOnce();
        WriteTexCoords(file, group, m);
        progress.PumpOnce();
        WriteFaces(file, group, m);
    });
}

void WriteColor(COutputFile& file, const char* label, const skColor& c)
{
    file.Print("  %s%f, %f, %f, %f\n", label, double(c.r), double(c.g), double(c.b), double(c.a));
}

void WriteMaterials(COutputFile& file, const skModel* model, CJobProgress& progress)
{
    const Section section{"Writing material info...", "Material Information", "Material Count:         ",
                          "material"};
    WriteSection(file, progress, section, skModelGetMaterialCount(model), [&](int32_t i) {
        const skMaterial* m = skModelGetMaterial(model, i);
        file.Print("# Material %d\n", i);
        file.Print("  Name:                 %s\n", Text(skMaterialGetName(m)));
        file.Print("  Double-Sided:         %d\n", int(skMaterialGetDoubleSided(m)));
        WriteColor(file, "Ambient:              ", skMaterialGetAmbient(m));
        WriteColor(file, "Diffuse:              ", skMaterialGetDiffuse(m));
        WriteColor(file, "Specular:             ", skMaterialGetSpecular(m));
        WriteColor(file, "Emissive:             ", skMaterialGetEmissive(m));
        file.Print("  Shininess:            %f\n", double(skMaterialGetShininess(m)));
        file.Print("  Transparency:         %f\n", double(skMaterialGetTransparency(m)));
        file.Print("  Texture Diffuse:      \"%s\"\n", Text(skMaterialGetTextureDiffuse(m)));
        file.Print("  Texture Bump:         \"%s\"\n", Text(skMaterialGetTextureBump(m)));
        file.Print("  Texture Alpha:        \"%s\"\n", Text(skMaterialGetTextureAlpha(m)));
        file.Print("  Texture Reflect:      \"%s\"\n\n", Text(skMaterialGetTextureReflect(m)));
    });
    file.Print("\n");
}

void WriteKeys(COutputFile& file, const skJoint* joint, bool rotation)
{
    const int32_t count = rotation ? skJointGetRotationKeyCount(joint) : skJointGetPositionKeyCount(joint);
    file.Print(rotation ? "    Rot.Keyframe Count: %d\n" : "    Pos.Keyframe Count: %d\n", count);
    for (int32_t k = 0; k < count; ++k) {
        const skKeyFrame* key = rotation ? skJointGetRotationKey(joint, k) : skJointGetPositionKey(joint, k);
        const skVec3 v = skKeyFrameGetValue(key);
        file.Print(rotation ? "    R.Frame %d - Time=%f X=%f Y=%f Z=%f\n" : "    P.Frame %d - Time=%f X=%f Y=%f Z=%f\n",
                   k, double(skKeyFrameGetTime(key)), double(v.x), double(v.y), double(v.z));
    }
}

void WriteJoints(COutputFile& file, const skModel* model, CJobProgress& progress)
{
    const Section section{"Writing joint info...", "Joint Information", "Joint Count:            ", "joint"};
    WriteSection(file, progress, section, skModelGetJointCount(model), [&](int32_t j) {
        const skJoint* joint = skModelGetJoint(model, j);
        const skVec3 p = skJointGetInitialPosition(joint);
        const skVec3 r = skJointGetInitialRotation(joint);
        file.Print("# Joint %d\n", j);
        file.Print("  Name:          %s\n", Text(skJointGetName(joint)));
        file.Print("  Parent:        %s\n", Text(skJointGetParentName(joint)));
        file.Print("  Start Pos.:    X=%f Y=%f Z=%f\n", double(p.x), double(p.y), double(p.z));
        file.Print("  Start Rot.:    X=%f Y=%f Z=%f\n", double(r.x), double(r.y), double(r.z));
        WriteKeys(file, joint, false);
        WriteKeys(file, joint, true);
        file.Print("\n");
    });
}

void WriteSequences(COutputFile& file, const skModel* model, CJobProgress& progress)
{
    const Section section{"Writing animation sequences info...", "Animation Sequences Information",
                          "Sequence Count:         ", "sequence"};
    WriteSection(file, progress, section, skModelGetLoopCount(model), [&](int32_t i) {
        const skLoop* loop = skModelGetLoop(model, i);
        file.Print("# Sequence %d\n", i);
        file.Print("  Name:          %s\n", Text(skLoopGetName(loop)));
        file.Print("  Start Time:    %f\n", double(skLoopGetStartTime(loop)));
        file.Print("  End Time:      %f\n", double(skLoopGetEndTime(loop)));
        file.Print("  Priority:      %d\n\n", int(skLoopGetPriority(loop)));
    });
}

} // namespace

DumpResult DumpModel(const skModel* model, const std::string& path, CJobProgress& progress)
{
    COutputFile file;
    if (!file.Open(path))
        return DumpResult::WriteError;
    file.Write("\xEF\xBB\xBF", 3);
    Separator(file);
    file.Print("#\n# Kestrel Model Dump v1.1\n#\n");
    Separator(file);
    file.Print("\n");
    WriteOverall(file, model);
    WriteMeshes(file, model, progress);
    WriteMaterials(file, model, progress);
    WriteJoints(file, model, progress);
    WriteSequences(file, model, progress);
    return file.Commit() ? DumpResult::Written : DumpResult::WriteError;
}

} // namespace kestrel::datalister
