// The MS3D ASCII writer: read back by the engine's reader, collapsed influences, the
// parts left out by the options, and the checks before the export.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ms3d_ascii_export.h"
#include "nimbus/model.h"
#include "temp_dir.h"
#include "tool_models.h"

using namespace kestrel::ms3dascii;
using namespace kestrel::test;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// One mesh of three vertices (the first with two influences of 0.5 on joints 2 and 5),
// two materials, six joints with keys on the last, 40 frames.
void BuildSkinnedModel(skModel* model)
{
    skModelSetAnimationLength(model, 40);
    skGroup* group = skModelAddGroup(model);
    skGroupSetName(group, "Body \"main\"");
    skVertex* v0 = AddVertex(group, 9, 9, 9);
    AddWeight(v0, 2, 0.5f, 0, 0, 0);
    AddWeight(v0, 5, 0.5f, 2, 0, 0);
    AddVertex(group, 0, 1, 0);
    AddVertex(group, 0, 0, 1);
    AddNormal(group, 0, 1, 0);
    AddNormal(group, 1, 0, 0);
    skTriangle* t = AddTriangle(group, 0, 1, 2);
    skTriangleSetNormalIndices(t, 0, 1, 0);
    skTriangleSetSmoothingGroup(t, 3);

    skMaterial* skin = skModelAddMaterial(model);
    skMaterialSetName(skin, "Skin");
    skMaterialSetTextureDiffuse(skin, "skin.png");
    skMaterialSetTextureBump(skin, "bump.png");
    skMaterialSetShininess(skin, 12.5f);
    skModelAddMaterial(model);  // nameless, no textures

    AddJoint(model, "root", "");
    for (const char* name : {"a", "b", "c", "d"})
        AddJoint(model, name, "root");
    skJoint* last = AddJoint(model, "e", "d");
    AddKey(last, false, 1, 0, 0, 0);
    AddKey(last, false, 40, 1, 2, 3);
    AddKey(last, true, 20, 0.5f, 0, 0);
}

TEST(Ms3dAsciiExport, ReadsBackWithCollapsedInfluences)
{
    TempDir dir;
    ToolRecord record;
    BuildSkinnedModel(&record.model);
    CJobProgress progress;
    const std::string path = dir.File("model.txt");
    ASSERT_EQ(ExportMs3dAscii(&record.model, path, {}, progress), ExportResult::Written);
    EXPECT_EQ(progress.Percent(), 96);  // the joints last: 100 / 6 in whole numbers, times 6

    CModel model;
    ASSERT_TRUE(model.ImportMs3dAsciiFile(path.c_str()));
    ASSERT_EQ(model.mMeshes.size(), 1u);
    const CMesh& mesh = model.mMeshes[0];
    EXPECT_STREQ(mesh.mName, "Body 'main'");
    ASSERT_EQ(mesh.mVertices.size(), 3u);
    const CVertex& v0 = mesh.mVertices[0];
    EXPECT_FLOAT_EQ(v0.mLoadedPos[0], 1.0f);
    EXPECT_FLOAT_EQ(v0.mLoadedPos[1], 0.0f);
    ASSERT_EQ(v0.mWeights.size(), 1u);
    EXPECT_EQ(v0.mWeights[0].mJoint, 2);  // the first of equal weights
    EXPECT_TRUE(mesh.mVertices[1].mWeights.empty());
    ASSERT_EQ(mesh.mNormals.size(), 2u);
    ASSERT_EQ(mesh.mTriangles.size(), 1u);
    EXPECT_EQ(mesh.mTriangles[0].mNormals[1], 1);
    EXPECT_EQ(mesh.mTriangles[0].mSmoothingGroup, 3);
    EXPECT_EQ(mesh.mTriangles[0].mMaterial, -1);

    ASSERT_EQ(model.mMaterials.size(), 2u);
    ASSERT_EQ(model.mJoints.size(), 6u);
    EXPECT_EQ(model.mTotalFrames, 40u);
    ASSERT_EQ(model.mSequences.size(), 1u);
    EXPECT_FLOAT_EQ(model.mSequences[0].mEnd, 40.0f);

    const std::string text = ReadAll(path);
    EXPECT_EQ(text.rfind("// MilkShape 3D ASCII\n// Created with Kestrel MS3D ASCII Export Plug-In\n\n"
                         "Frames: 40\nFrame: 1\n\nMeshes: 1\n",
                         0),
              0u);
    EXPECT_NE(text.find("\"Skin\"\n"), std::string::npos);
    EXPECT_NE(text.find("12.500000\n1.000000\n\"skin.png\"\n\"bump.png\"\n\"Material 1\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"e\"\n\"d\"\n0 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000\n2\n"
                        "1.000000 0.000000 0.000000 0.000000\n40.000000 1.000000 2.000000 3.000000\n1\n"
                        "20.000000 0.500000 0.000000 0.000000\n"),
              std::string::npos);
}

TEST(Ms3dAsciiExport, SkeletonWithoutAnimationWritesNoKeys)
{
    TempDir dir;
    ToolRecord record;
    BuildSkinnedModel(&record.model);
    CJobProgress progress;
    const std::string path = dir.File("still.txt");
    ExportOptions options;
    options.animation = false;
    options.materials = false;
    ASSERT_EQ(ExportMs3dAscii(&record.model, path, options, progress), ExportResult::Written);
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("Frames: 1\nFrame: 1\n\n"), std::string::npos);
    EXPECT_NE(text.find("\n\nMaterials: 0\nBones: 6\n\"root\"\n\"\"\n0 0.000000 0.000000 0.000000 0.000000 "
                        "0.000000 0.000000\n0\n0\n"),
              std::string::npos);
    CModel model;
    ASSERT_TRUE(model.ImportMs3dAsciiFile(path.c_str()));
    EXPECT_FALSE(model.mAnimated);
    EXPECT_TRUE(model.mMaterials.empty());
}

TEST(Ms3dAsciiExport, WithoutSkeletonVerticesHaveNoJointAndAnimationIsOff)
{
    TempDir dir;
    ToolRecord record;
    BuildSkinnedModel(&record.model);
    CJobProgress progress;
    const std::string path = dir.File("mesh.txt");
    ExportOptions options;
    options.skeleton = false;  // animation stays requested but needs the skeleton
    ASSERT_EQ(ExportMs3dAscii(&record.model, path, options, progress), ExportResult::Written);
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("Frames: 1\n"), std::string::npos);
    EXPECT_NE(text.find("0 1.000000 0.000000 0.000000 0.000000 0.000000 -1\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("Bones: 0\n"));
}

TEST(Ms3dAsciiExport, MeshProgressMovesInWholeShares)
{
    TempDir dir;
    ToolRecord record;
    for (int i = 0; i < 150; ++i)
        skModelAddGroup(&record.model);
    std::vector<int> seen;
    CJobProgress progress;
    CJobProgress* watched = &progress;
    progress = CJobProgress([&] { seen.push_back(watched->Percent()); });
    ExportOptions options;
    options.materials = options.skeleton = false;
    ASSERT_EQ(ExportMs3dAscii(&record.model, dir.File("p.txt"), options, progress), ExportResult::Written);
    ASSERT_EQ(seen.size(), 150u);
    EXPECT_EQ(seen.back(), 0);  // 100 / 150 is 0 in whole numbers

    skModelNullify(&record.model);
    for (int i = 0; i < 10; ++i)
        skModelAddGroup(&record.model);
    seen.clear();
    ASSERT_EQ(ExportMs3dAscii(&record.model, dir.File("p.txt"), options, progress), ExportResult::Written);
    ASSERT_EQ(seen.size(), 10u);
    EXPECT_EQ(seen[0], 10);
    EXPECT_EQ(seen[9], 100);
}

// The warnings' texts: the same literal may sit at another address in each file that
// uses it (the sanitizers keep literals apart), so pointers are no test of equality.
std::vector<std::string> WarningTexts(const skModel* model, const ExportOptions& options)
{
    const std::vector<const char*> warnings = LimitWarnings(model, options);
    return std::vector<std::string>(warnings.begin(), warnings.end());
}

TEST(Ms3dAsciiExport, ChecksBeforeTheExport)
{
    ToolRecord empty;
    EXPECT_EQ(CheckExport(&empty.model, {}), ExportRefusal::NothingToExport);

    ToolRecord record;
    skModelAddMaterial(&record.model);
    ExportOptions none{false, false, false, false};
    EXPECT_EQ(CheckExport(&record.model, none), ExportRefusal::NoOptionsSelected);
    EXPECT_EQ(CheckExport(&record.model, {}), ExportRefusal::None);

    skModelMaterialArrayResize(&record.model, 129, 0);
    skModelJointArrayResize(&record.model, 129, 0);
    skModelGroupArrayResize(&record.model, 256, 0);
    EXPECT_EQ(WarningTexts(&record.model, {}),
              (std::vector<std::string>{kMsgMeshLimits, kMsgMaterialLimits, kMsgJointLimits}));
    EXPECT_TRUE(LimitWarnings(&record.model, none).empty());
    skModelGroupArrayResize(&record.model, 255, 0);
    skModelMaterialArrayResize(&record.model, 128, 0);
    skModelJointArrayResize(&record.model, 128, 0);
    EXPECT_TRUE(LimitWarnings(&record.model, {}).empty());
    skGroupVertexArrayResize(record.Group(0), 65535, 0);
    EXPECT_EQ(WarningTexts(&record.model, {}), std::vector<std::string>{kMsgMeshLimits});
}

TEST(Ms3dAsciiExport, UncreatableFileIsAWriteError)
{
    TempDir dir;
    ToolRecord record;
    CJobProgress progress;
    EXPECT_EQ(ExportMs3dAscii(&record.model, dir.File("no/such.txt"), {}, progress), ExportResult::WriteError);
}

} // namespace
