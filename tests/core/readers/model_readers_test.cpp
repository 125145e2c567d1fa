#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "formats/md2_afs_writer.h"
#include "formats/ms3d_ascii_text.h"
#include "formats/ms3d_writer.h"
#include "image_fixtures.h"
#include "nimbus/model.h"
#include "temp_dir.h"

namespace {

namespace fx = kestrel::test::ms3d;
using kestrel::test::TempDir;
using kestrel::test::WriteBytes;

std::string Save(const TempDir& dir, const std::string& name, const std::vector<uint8_t>& bytes)
{
    const std::string path = dir.File(name);
    WriteBytes(path, bytes);
    return path;
}

std::string SaveText(const TempDir& dir, const std::string& name, const std::string& text)
{
    return Save(dir, name, std::vector<uint8_t>(text.begin(), text.end()));
}

TEST(Ms3dReader, BuildsMeshesWithSharedVerticesOnceAndSkinsByJoint)
{
    TempDir dir;
    CModel model;
    ASSERT_TRUE(model.ImportMs3dFile(Save(dir, "a.ms3d", fx::Write(fx::SampleModel())).c_str()));
    ASSERT_EQ(model.mMeshes.size(), 2u);
    const CMesh& body = model.mMeshes[0];
    EXPECT_STREQ(body.mName, "Body");
    // Triangles 0-1-2 and 1-3-2 reference four distinct vertices.
    ASSERT_EQ(body.mVertices.size(), 4u);
    ASSERT_EQ(body.mTriangles.size(), 2u);
    EXPECT_EQ(body.mTriangles[1].mVertices[0], 1);
    EXPECT_EQ(body.mTriangles[1].mVertices[1], 3);
    EXPECT_EQ(body.mTriangles[1].mNormals[2], 5);
    EXPECT_EQ(body.mNormals.size(), 6u);
    // t = 0.25 is stored as 0.75.
    EXPECT_FLOAT_EQ(body.mTexCoords[3].mV, 0.75f);
    EXPECT_EQ(body.mTriangles[0].mTextured, 1);
    EXPECT_EQ(body.mTriangles[0].mMaterial, 0);
    ASSERT_EQ(body.mBatches.size(), 1u);
    EXPECT_EQ(body.mBatches[0].mTriangles, (std::vector<uint32_t>{0, 1}));
    // Vertex 0 is rigid; vertex 1 is bound to joint 0 with its position in the influence only.
    EXPECT_TRUE(body.mVertices[0].mWeights.empty());
    ASSERT_EQ(body.mVertices[1].mWeights.size(), 1u);
    EXPECT_EQ(body.mVertices[1].mWeights[0].mJoint, 0);
    EXPECT_EQ(body.mVertices[1].mWeights[0].mWeight, 1.0f);
    EXPECT_EQ(body.mVertices[1].mWeights[0].mLoadedPos[0], 1.0f);
    EXPECT_EQ(body.mVertices[1].mLoadedPos[0], 0.0f);
    // The second group shares file vertices 2 and 3 but gets its own copies.
    EXPECT_EQ(model.mMeshes[1].mVertices.size(), 3u);
    EXPECT_EQ(model.mMeshes[1].mBatches[0].mMaterial, -1);

    ASSERT_EQ(model.mMaterials.size(), 1u);
    EXPECT_EQ(std::u16string(model.mMaterials[0].mDiffuseTex.mFileName), u"skin.tga");
    ASSERT_EQ(model.mJoints.size(), 2u);
    EXPECT_STREQ(model.mJoints[1].mParentName, "root");
    // A key at 0.5 s at 24 frames per second lands on frame 12.
    EXPECT_FLOAT_EQ(model.mJoints[0].mPosKeys[0].mTime, 12.0f);
    EXPECT_TRUE(model.mAnimated);
    EXPECT_EQ(model.mTotalFrames, 40u);
    ASSERT_EQ(model.mSequences.size(), 1u);
    EXPECT_STREQ(model.mSequences[0].mName, "<All frames>");
    EXPECT_EQ(model.mSequences[0].mStart, 1.0f);
    EXPECT_EQ(model.mSequences[0].mEnd, 40.0f);
    EXPECT_TRUE(model.Finalize(true, true, 1.0f));
}

TEST(Ms3dReader, EmptyUnanimatedAndRefusedFiles)
{
    TempDir dir;
    CModel model;
    ASSERT_TRUE(model.ImportMs3dFile(Save(dir, "empty.ms3d", fx::Write(fx::Model())).c_str()));
    EXPECT_TRUE(model.mMeshes.empty());
    EXPECT_FALSE(model.mAnimated);

    fx::Model still = fx::SampleModel();
    for (fx::Joint& j : still.joints)
        j.rotationKeys.clear(), j.positionKeys.clear();
    still.totalFrames = 100;
    ASSERT_TRUE(model.ImportMs3dFile(Save(dir, "still.ms3d", fx::Write(still)).c_str()));
    EXPECT_FALSE(model.mAnimated);
    EXPECT_EQ(model.mTotalFrames, 0u);
    EXPECT_TRUE(model.mSequences.empty());

    // A file that cannot be opened leaves the model as it was; a wrong id empties it.
    EXPECT_FALSE(model.ImportMs3dFile(dir.File("missing.ms3d").c_str()));
    EXPECT_EQ(model.mMeshes.size(), 2u);
    EXPECT_FALSE(model.ImportMs3dFile(""));
    std::vector<uint8_t> wrong = fx::Write(fx::SampleModel());
    wrong[0] = 'X';
    EXPECT_FALSE(model.ImportMs3dFile(Save(dir, "wrong.ms3d", wrong).c_str()));
    EXPECT_TRUE(model.mMeshes.empty());
    // So do damaged files.
    std::vector<uint8_t> cut = fx::Write(fx::SampleModel());
    cut.resize(cut.size() - 3);
    EXPECT_FALSE(model.ImportMs3dFile(Save(dir, "cut.ms3d", cut).c_str()));
    EXPECT_TRUE(model.mMeshes.empty());
}

TEST(Ms3dAsciiReader, ReadsTheSampleIntoTheModel)
{
    TempDir dir;
    CModel model;
    ASSERT_TRUE(model.ImportMs3dAsciiFile(SaveText(dir, "a.txt", kestrel::test::ms3d_ascii::SampleText()).c_str()));
    ASSERT_EQ(model.mMeshes.size(), 2u);
    const CMesh& body = model.mMeshes[0];
    // Vertex 3: position (1, 2, 3), coordinate (0.25, 0.75), no influence.
    EXPECT_EQ(body.mVertices[3].mLoadedPos[2], 3.0f);
    EXPECT_TRUE(body.mVertices[3].mWeights.empty());
    EXPECT_FLOAT_EQ(body.mTexCoords[3].mU, 0.25f);
    EXPECT_FLOAT_EQ(body.mTexCoords[3].mV, 0.75f);
    // A skinned vertex keeps its position on the vertex as well.
    ASSERT_EQ(body.mVertices[1].mWeights.size(), 1u);
    EXPECT_EQ(body.mVertices[1].mLoadedPos[0], 1.0f);
    EXPECT_EQ(body.mTriangles[1].mTexCoords[2], 3);
    EXPECT_EQ(body.mTriangles[1].mSmoothingGroup, 1); // low byte of 257
    EXPECT_EQ(model.mMaterials.size(), 2u);
    EXPECT_EQ(std::u16string(model.mMaterials[0].mAlphaTex.mFileName), u"skin_alpha.tga");
    EXPECT_EQ(model.mMaterials[1].mDiffuseTex.mFileName[0], 0);
    EXPECT_TRUE(model.mAnimated);
    ASSERT_EQ(model.mSequences.size(), 1u);
    EXPECT_EQ(model.mSequences[0].mEnd, 40.0f);
    EXPECT_EQ(model.mJoints[0].mPosKeys[1].mTime, 40.0f); // frames, not converted
    EXPECT_TRUE(model.Finalize(true, true, 1.0f));

    ASSERT_TRUE(model.ImportMs3dAsciiFile(SaveText(dir, "b.txt", "Frames: 30\nMeshes: 0\n").c_str()));
    EXPECT_FALSE(model.mAnimated);
    EXPECT_EQ(model.mTotalFrames, 0u);
    EXPECT_FALSE(model.ImportMs3dAsciiFile(SaveText(dir, "c.txt", "Meshes: 1\n\"M\" 0 0\n1\n").c_str()));
    EXPECT_TRUE(model.mMeshes.empty());
}

TEST(Md2Reader, ReversesCornersTurnsTheModelAndBuildsNormals)
{
    TempDir dir;
    CModel model;
    ASSERT_TRUE(model.ImportMd2File(Save(dir, "a.md2", kestrel::test::WriteMd2(kestrel::test::SampleMd2())).c_str()));
    ASSERT_EQ(model.mMeshes.size(), 1u);
    const CMesh& mesh = model.mMeshes[0];
    EXPECT_STREQ(mesh.mName, "MD2 Frame");
    ASSERT_EQ(mesh.mTriangles.size(), 2u);
    EXPECT_EQ(mesh.mTriangles[0].mVertices[0], 2);
    EXPECT_EQ(mesh.mTriangles[0].mVertices[2], 0);
    EXPECT_EQ(mesh.mTriangles[0].mTexCoords[0], 2);
    // 256 x 256 skin, s = 128, t = 64 -> (0.5, 0.75).
    EXPECT_FLOAT_EQ(mesh.mTexCoords[1].mU, 0.5f);
    EXPECT_FLOAT_EQ(mesh.mTexCoords[1].mV, 0.75f);
    // (5, 0, 0) turned by -90 degrees about y, then about z.
    CMatrix ry, rz;
    ry.SetRotationDeg(0, -90, 0);
    rz.SetRotationDeg(0, 0, -90);
    float p[3] = {5, 0, 0};
    (rz * ry).VectorRotate(p);
    EXPECT_NEAR(mesh.mVertices[1].mLoadedPos[0], p[0], 1e-5);
    EXPECT_NEAR(mesh.mVertices[1].mLoadedPos[1], p[1], 1e-5);
    EXPECT_NEAR(mesh.mVertices[1].mLoadedPos[2], p[2], 1e-5);
    // A flat quad: every normal is the same unit vector.
    for (const CNormal& n : mesh.mNormals)
        EXPECT_NEAR(CVector3d(n.mLoadedDir).GetLength(), 1.0, 1e-5);
    EXPECT_EQ(model.mMaterials.size(), 1u);
    EXPECT_STREQ(model.mMaterials[0].mName, "models/skin.pcx");
    EXPECT_EQ(mesh.mBatches[0].mMaterial, 0);
    EXPECT_FALSE(model.mAnimated);

    kestrel::test::Md2Model old = kestrel::test::SampleMd2();
    old.version = 7;
    EXPECT_FALSE(model.ImportMd2File(Save(dir, "old.md2", kestrel::test::WriteMd2(old)).c_str()));
    EXPECT_EQ(model.mMeshes.size(), 1u); // the loaded model stays
}

TEST(AnimationSplitter, ReplacesSequencesOrFallsBackToOne)
{
    TempDir dir;
    CModel model;
    ASSERT_TRUE(model.ImportMs3dFile(Save(dir, "a.ms3d", fx::Write(fx::SampleModel())).c_str()));
    const std::string good = Save(dir, "good.afs", kestrel::test::WriteAfs({{"walk", 1, 20, 1}, {"run", 21, 40, 2}}));
    EXPECT_TRUE(model.LoadAnimationSplitter(good.c_str()));
    ASSERT_EQ(model.mSequences.size(), 2u);
    EXPECT_STREQ(model.mSequences[1].mName, "run");
    EXPECT_EQ(model.mSequences[1].mPriority, 2);

    const std::string late = Save(dir, "late.afs", kestrel::test::WriteAfs({{"walk", 1, 20, 0}, {"run", 21, 41, 0}}));
    EXPECT_FALSE(model.LoadAnimationSplitter(late.c_str()));
    ASSERT_EQ(model.mSequences.size(), 1u);
    EXPECT_STREQ(model.mSequences[0].mName, "Animation");
    EXPECT_EQ(model.mSequences[0].mEnd, 40.0f);

    // A bad header or a missing file leaves the sequences alone.
    EXPECT_FALSE(model.LoadAnimationSplitter(Save(dir, "bad.afs", {'A', 'F', 'S', 0, 0, 0, 0}).c_str()));
    EXPECT_FALSE(model.LoadAnimationSplitter(dir.File("none.afs").c_str()));
    EXPECT_STREQ(model.mSequences[0].mName, "Animation");

    CModel still;
    ASSERT_TRUE(still.ImportMs3dFile(Save(dir, "e.ms3d", fx::Write(fx::Model())).c_str()));
    EXPECT_FALSE(still.LoadAnimationSplitter(good.c_str()));
    EXPECT_TRUE(still.mSequences.empty());
}

} // namespace
