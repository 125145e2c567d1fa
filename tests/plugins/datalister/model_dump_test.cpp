// The model data dump against a golden text, an empty model, Cancel and write errors.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "model_dump.h"
#include "temp_dir.h"
#include "tool_models.h"

using namespace kestrel::datalister;
using namespace kestrel::test;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void BuildSmallModel(skModel* model)
{
    skModelSetAnimationLength(model, 30);
    skGroup* group = skModelAddGroup(model);
    skGroupSetName(group, "Tri");
    skGroupSetFlags(group, 1);
    AddVertex(group, 1, 2, 3);
    skVertex* weighted = AddVertex(group, 9, 9, 9);
    AddWeight(weighted, 0, 0.25f, 1, 0, 0);
    AddWeight(weighted, 1, 0.75f, 0, 1, 0);
    AddVertex(group, 0, 1, 0);
    AddNormal(group, 0, 0, 1);
    skGroupTCoordArrayResize(group, 1, 0);
    skTCoordSet(skGroupGetTCoord(group, 0), 0.5f, 0.25f);
    skTriangle* t = AddTriangle(group, 0, 1, 2);
    skTriangleSetNormalIndices(t, 0, 0, 0);
    skTriangleSetTextureIndices(t, 0, 0, 0);
    skTriangleSetEdgeFlags(t, 1, 1, 0);
    skTriangleSetMaterial(t, 0);
    const int smoothingGroup = 256;  // beyond a byte: what the record keeps is 0
    skTriangleSetSmoothingGroup(t, static_cast<uint8_t>(smoothingGroup));

    skMaterial* material = skModelAddMaterial(model);
    skMaterialSetName(material, "Skin");
    skMaterialSetDoubleSided(material, 1);
    skMaterialSetTextureDiffuse(material, "skin.png");

    skJoint* joint = AddJoint(model, "root", "");
    const float position[3] = {1, 2, 3};
    const float rotation[3] = {0, 0.5f, 0};
    skJointSetInitialPosition(joint, position);
    skJointSetInitialRotation(joint, rotation);
    AddKey(joint, false, 1, 0, 0, 0);
    AddKey(joint, true, 2, 0.1f, 0.2f, 0.3f);

    skLoop loop{};
    std::snprintf(loop.name, sizeof(loop.name), "Walk");
    loop.startTime = 1;
    loop.endTime = 30;
    loop.priority = 2;
    skModelAddLoopV(model, &loop);
}

const char* const kSep = "#################################################\n";

std::string Header(const char* title) { return std::string(kSep) + "# " + title + "\n" + kSep; }

std::string Title() { return std::string(kSep) + "#\n# Kestrel Model Dump v1.1\n#\n" + kSep + "\n"; }

TEST(ModelDump, SmallModelMatchesTheGoldenText)
{
    TempDir dir;
    ToolRecord record;
    BuildSmallModel(&record.model);
    CJobProgress progress;
    const std::string path = dir.File("dump.log");
    ASSERT_EQ(DumpModel(&record.model, path, progress), DumpResult::Written);

    const std::string expected = "\xEF\xBB\xBF" + Title() + Header("Overall Information") +
                                 "Mesh Count:             1\n"
                                 "Vertex Count:           3\n"
                                 "Normal Count:           1\n"
                                 "Texture Coord Count:    1\n"
                                 "Face Count:             1\n"
                                 "Material Count:         1\n"
                                 "Joint Count:            1\n"
                                 "Animation Length:       30 frames\n"
                                 "Animation Speed:        24.000000 fps\n"
                                 "Animation Loop Count:   1\n"
                                 "\n" +
                                 Header("Mesh Information") +
                                 "Mesh Count:             1\n"
                                 "\n"
                                 "# Mesh 0\n"
                                 "Name:                   Tri\n"
                                 "Vertices:               3\n"
                                 "Normals:                1\n"
                                 "Texture Coords:         1\n"
                                 "Faces:                  1\n"
                                 "Flags:                  1\n"
                                 "\n"
                                 "# Mesh 0 - Vertices\n"
                                 "Vertex 0 (not weighted) X=1.000000 Y=2.000000 Z=3.000000\n"
                                 "Vertex 1 (weighted)\n"
                                 "  Weight Count:          2\n"
                                 "  Weight 0 - Joint=0 Value=0.250000 X=1.000000 Y=0.000000 Z=0.000000\n"
                                 "  Weight 1 - Joint=1 Value=0.750000 X=0.000000 Y=1.000000 Z=0.000000\n"
                                 "Vertex 2 (not weighted) X=0.000000 Y=1.000000 Z=0.000000\n"
                                 "\n"
                                 "# Mesh 0 - Normals\n"
                                 "Normal 0  X=0.000000 Y=0.000000 Z=1.000000\n"
                                 "\n"
                                 "# Mesh 0 - Texture Coordinates\n"
                                 "Tex.Coordinate 0  U=0.500000 V=0.250000\n"
                                 "\n"
                                 "# Mesh 0 - Faces\n"
                                 "Face 0  Verts: 0, 1, 2; Norms: 0, 0, 0; Tex.Coords: 0, 0, 0; Edges: 1, 1, 0; "
                                 "Material: 0; Sm.Group: 0\n"
                                 "\n" +
                                 Header("Material Information") +
                                 "Material Count:         1\n"
                                 "\n"
                                 "# Material 0\n"
                                 "  Name:                 Skin\n"
                                 "  Double-Sided:         1\n"
                                 "  Ambient:              0.120000, 0.120000, 0.120000, 1.000000\n"
                                 "  Diffuse:              0.750000, 0.750000, 0.750000, 1.000000\n"
                                 "  Specular:             0.750000, 0.750000, 0.750000, 1.000000\n"
                                 "  Emissive:             0.000000, 0.000000, 0.000000, 1.000000\n"
                                 "  Shininess:            38.400002\n"
                                 "  Transparency:         1.000000\n"
                                 "  Texture Diffuse:      \"skin.png\"\n"
                                 "  Texture Bump:         \"\"\n"
                                 "  Texture Alpha:        \"\"\n"
                                 "  Texture Reflect:      \"\"\n"
                                 "\n"
                                 "\n" +
                                 Header("Joint Information") +
                                 "Joint Count:            1\n"
                                 "\n"
                                 "# Joint 0\n"
                                 "  Name:          root\n"
                                 "  Parent:        \n"
                                 "  Start Pos.:    X=1.000000 Y=2.000000 Z=3.000000\n"
                                 "  Start Rot.:    X=0.000000 Y=0.500000 Z=0.000000\n"
                                 "    Pos.Keyframe Count: 1\n"
                                 "    P.Frame 0 - Time=1.000000 X=0.000000 Y=0.000000 Z=0.000000\n"
                                 "    Rot.Keyframe Count: 1\n"
                                 "    R.Frame 0 - Time=2.000000 X=0.100000 Y=0.200000 Z=0.300000\n"
                                 "\n" +
                                 Header("Animation Sequences Information") +
                                 "Sequence Count:         1\n"
                                 "\n"
                                 "# Sequence 0\n"
                                 "  Name:          Walk\n"
                                 "  Start Time:    1.000000\n"
                                 "  End Time:      30.000000\n"
                                 "  Priority:      2\n"
                                 "\n";
    EXPECT_EQ(ReadAll(path), expected);
    EXPECT_EQ(progress.Status(), "Writing sequence 1/1 info...");
}

std::string EmptyDump()
{
    return "\xEF\xBB\xBF" + Title() + Header("Overall Information") +
           "Mesh Count:             0\nVertex Count:           0\nNormal Count:           0\n"
           "Texture Coord Count:    0\nFace Count:             0\nMaterial Count:         0\n"
           "Joint Count:            0\nAnimation Length:       0 frames\nAnimation Speed:        24.000000 fps\n"
           "Animation Loop Count:   0\n\n" +
           Header("Mesh Information") + "Mesh Count:             0\n\n" + Header("Material Information") +
           "Material Count:         0\n\n\n" + Header("Joint Information") + "Joint Count:            0\n\n" +
           Header("Animation Sequences Information") + "Sequence Count:         0\n\n";
}

TEST(ModelDump, EmptyModelHasEveryHeaderAndNoItems)
{
    TempDir dir;
    ToolRecord record;
    CJobProgress progress;
    ASSERT_EQ(DumpModel(&record.model, dir.File("e.log"), progress), DumpResult::Written);
    EXPECT_EQ(ReadAll(dir.File("e.log")), EmptyDump());
}

TEST(ModelDump, CancelSkipsTheItemsButKeepsTheHeaders)
{
    TempDir dir;
    ToolRecord record;
    BuildSmallModel(&record.model);
    CJobProgress progress;
    progress.RequestCancel();
    ASSERT_EQ(DumpModel(&record.model, dir.File("c.log"), progress), DumpResult::Written);
    const std::string text = ReadAll(dir.File("c.log"));
    EXPECT_EQ(text.find("# Mesh 0"), std::string::npos);
    EXPECT_EQ(text.find("# Joint 0"), std::string::npos);
    EXPECT_NE(text.find("# Animation Sequences Information\n"), std::string::npos);
    EXPECT_NE(text.find("Sequence Count:         1\n"), std::string::npos);
}

TEST(ModelDump, UncreatableFileIsAWriteError)
{
    TempDir dir;
    ToolRecord record;
    CJobProgress progress;
    EXPECT_EQ(DumpModel(&record.model, dir.File("none/d.log"), progress), DumpResult::WriteError);
}

} // namespace
