#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "doc_model.h"
#include "kxm3_format.h"
#include "temp_dir.h"

namespace {

namespace kxm3 = kestrel::kxm3;

// A model that uses every stored field.
CDocModel FullModel()
{
    CDocModel m;
    m.mMeshes.resize(2);
    CMesh& a = m.mMeshes[0];
    a.SetName("Body");
    a.mFlags = SK_MESH_SELECTED;
    a.mVertices.resize(3);
    for (int i = 0; i < 3; ++i) {
        a.mVertices[size_t(i)].mLoadedPos[0] = float(i);
        a.mVertices[size_t(i)].mLoadedPos[1] = 0.5f * float(i);
    }
    a.mVertices[1].mWeights.resize(2);
    a.mVertices[1].mWeights[0].mJoint = 0;
    a.mVertices[1].mWeights[0].mWeight = 0.25f;
    a.mVertices[1].mWeights[1].mJoint = 1;
    a.mVertices[1].mWeights[1].mLoadedPos[2] = 7.0f;
    a.mNormals.resize(1);
    a.mNormals[0].mLoadedDir[2] = 1.0f;
    a.mTexCoords.resize(3);
    a.mTexCoords[2].mU = 0.75f;
    a.mTexCoords[2].mV = 0.125f;
    a.mTriangles.resize(2);
    CTriangle& t = a.mTriangles[0];
    t.mVertices[0] = 0; t.mVertices[1] = 1; t.mVertices[2] = 2;
    t.mTexCoords[0] = 0; t.mTexCoords[1] = 1; t.mTexCoords[2] = 2;
    t.mEdgeFlags[1] = 0;
    t.mTextured = 1;
    t.mMaterial = 1;
    t.mSmoothingGroup = 9;
    a.mTriangles[1].mVertices[2] = 1;
    CMesh& b = m.mMeshes[1];
    b.SetName("Empty");
    b.mFlags = SK_MESH_HIDDEN;

    m.mMaterials.resize(2);
    std::strcpy(m.mMaterials[0].mName, "Brass");
    m.mMaterials[0].mDiffuse[2] = 0.3f;
    m.mMaterials[0].mShininess = 3.5f;
    m.mMaterials[0].mTransparency = 0.5f;
    m.mMaterials[0].mDoubleSided = true;
    m.mMaterials[0].mDiffuseTex.SetFileNameUtf8("d.png");
    m.mMaterials[0].mBumpTex.SetFileNameUtf8("a much longer bump map name.tga");
    m.mMaterials[0].mAlphaTex.SetFileName(u"α.bmp");
    m.mMaterials[0].mReflectionTex.SetFileNameUtf8("r.jpg");

    m.mTotalFrames = 40;
    m.mFps = 30.0f;
    m.mJoints.resize(2);
    m.mJoints[0].SetName("root");
    m.mJoints[0].mInitRot = CVector3d(0.1f, 0.2f, 0.3f);
    m.mJoints[0].mRotKeys.emplace_back(5.0f, CVector3d(0, 0, 1));
    m.mJoints[1].SetName("arm");
    m.mJoints[1].SetParentName("root");
    m.mJoints[1].mInitPos = CVector3d(1, 2, 3);
    m.mJoints[1].mPosKeys.emplace_back(1.0f, CVector3d(4, 5, 6));
    m.mJoints[1].mPosKeys.emplace_back(40.0f, CVector3d(7, 8, 9));
    m.mSequences.resize(1);
    m.mSequences[0].SetName("walk");
    m.mSequences[0].mStart = 1.0f;
    m.mSequences[0].mEnd = 20.0f;
    m.mSequences[0].mPriority = 3;
    return m;
}

void ExpectSameModel(const CModel& a, const CModel& b)
{
    ASSERT_EQ(a.mMeshes.size(), b.mMeshes.size());
    for (size_t i = 0; i < a.mMeshes.size(); ++i) {
        const CMesh& x = a.mMeshes[i];
        const CMesh& y = b.mMeshes[i];
        EXPECT_STREQ(x.mName, y.mName);
        EXPECT_EQ(x.mFlags, y.mFlags);
        ASSERT_EQ(x.mVertices.size(), y.mVertices.size());
        for (size_t v = 0; v < x.mVertices.size(); ++v) {
            EXPECT_EQ(0, std::memcmp(x.mVertices[v].mLoadedPos, y.mVertices[v].mLoadedPos, 12));
            ASSERT_EQ(x.mVertices[v].mWeights.size(), y.mVertices[v].mWeights.size());
            for (size_t w = 0; w < x.mVertices[v].mWeights.size(); ++w) {
                EXPECT_EQ(x.mVertices[v].mWeights[w].mJoint, y.mVertices[v].mWeights[w].mJoint);
                EXPECT_EQ(x.mVertices[v].mWeights[w].mWeight, y.mVertices[v].mWeights[w].mWeight);
                EXPECT_EQ(0, std::memcmp(x.mVertices[v].mWeights[w].mLoadedPos, y.mVertices[v].mWeights[w].mLoadedPos, 12));
            }
        }
        ASSERT_EQ(x.mNormals.size(), y.mNormals.size());
        for (size_t n = 0; n < x.mNormals.size(); ++n)
            EXPECT_EQ(0, std::memcmp(x.mNormals[n].mLoadedDir, y.mNormals[n].mLoadedDir, 12));
        ASSERT_EQ(x.mTexCoords.size(), y.mTexCoords.size());
        for (size_t t = 0; t < x.mTexCoords.size(); ++t) {
            EXPECT_EQ(x.mTexCoords[t].mU, y.mTexCoords[t].mU);
            EXPECT_EQ(x.mTexCoords[t].mV, y.mTexCoords[t].mV);
        }
        ASSERT_EQ(x.mTriangles.size(), y.mTriangles.size());
        for (size_t t = 0; t < x.mTriangles.size(); ++t) {
            const CTriangle& p = x.mTriangles[t];
            const CTriangle& q = y.mTriangles[t];
            EXPECT_EQ(0, std::memcmp(p.mVertices, q.mVertices, sizeof(p.mVertices)));
            EXPECT_EQ(0, std::memcmp(p.mNormals, q.mNormals, sizeof(p.mNormals)));
            EXPECT_EQ(0, std::memcmp(p.mTexCoords, q.mTexCoords, sizeof(p.mTexCoords)));
            EXPECT_EQ(0, std::memcmp(p.mEdgeFlags, q.mEdgeFlags, sizeof(p.mEdgeFlags)));
            EXPECT_EQ(p.mTextured, q.mTextured);
            EXPECT_EQ(p.mMaterial, q.mMaterial);
            EXPECT_EQ(p.mSmoothingGroup, q.mSmoothingGroup);
        }
    }
    ASSERT_EQ(a.mMaterials.size(), b.mMaterials.size());
    for (size_t i = 0; i < a.mMaterials.size(); ++i) {
        const CMaterial& x = a.mMaterials[i];
        const CMaterial& y = b.mMaterials[i];
        EXPECT_STREQ(x.mName, y.mName);
        EXPECT_EQ(0, std::memcmp(x.mAmbient, y.mAmbient, 16));
        EXPECT_EQ(0, std::memcmp(x.mDiffuse, y.mDiffuse, 16));
        EXPECT_EQ(0, std::memcmp(x.mSpecular, y.mSpecular, 16));
        EXPECT_EQ(0, std::memcmp(x.mEmissive, y.mEmissive, 16));
        EXPECT_EQ(x.mShininess, y.mShininess);
        EXPECT_EQ(x.mTransparency, y.mTransparency);
        EXPECT_EQ(x.mDoubleSided, y.mDoubleSided);
        EXPECT_EQ(std::u16string(x.mDiffuseTex.mFileName), std::u16string(y.mDiffuseTex.mFileName));
        EXPECT_EQ(std::u16string(x.mBumpTex.mFileName), std::u16string(y.mBumpTex.mFileName));
        EXPECT_EQ(std::u16string(x.mAlphaTex.mFileName), std::u16string(y.mAlphaTex.mFileName));
        EXPECT_EQ(std::u16string(x.mReflectionTex.mFileName), std::u16string(y.mReflectionTex.mFileName));
    }
    ASSERT_EQ(a.mJoints.size(), b.mJoints.size());
    if (!a.mJoints.empty()) {
        EXPECT_EQ(a.mTotalFrames, b.mTotalFrames);
        EXPECT_EQ(a.mFps, b.mFps);
    }
    for (size_t i = 0; i < a.mJoints.size(); ++i) {
        const CJoint& x = a.mJoints[i];
        const CJoint& y = b.mJoints[i];
        EXPECT_STREQ(x.mName, y.mName);
        EXPECT_STREQ(x.mParentName, y.mParentName);
        EXPECT_EQ(x.mInitPos.x, y.mInitPos.x);
        EXPECT_EQ(x.mInitRot.z, y.mInitRot.z);
        ASSERT_EQ(x.mPosKeys.size(), y.mPosKeys.size());
        ASSERT_EQ(x.mRotKeys.size(), y.mRotKeys.size());
        for (size_t k = 0; k < x.mPosKeys.size(); ++k) {
            EXPECT_EQ(x.mPosKeys[k].mTime, y.mPosKeys[k].mTime);
            EXPECT_EQ(x.mPosKeys[k].mValue.y, y.mPosKeys[k].mValue.y);
        }
    }
    ASSERT_EQ(a.mSequences.size(), b.mSequences.size());
    for (size_t i = 0; i < a.mSequences.size(); ++i) {
        EXPECT_STREQ(a.mSequences[i].mName, b.mSequences[i].mName);
        EXPECT_EQ(a.mSequences[i].mStart, b.mSequences[i].mStart);
        EXPECT_EQ(a.mSequences[i].mEnd, b.mSequences[i].mEnd);
        EXPECT_EQ(a.mSequences[i].mPriority, b.mSequences[i].mPriority);
    }
}

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

TEST(Kxm3, EveryFieldSurvivesWriteAndRead)
{
    const CDocModel source = FullModel();
    const std::vector<uint8_t> bytes = kxm3::Write(source);
    CDocModel back;
    ASSERT_EQ(kxm3::Read(bytes.data(), bytes.size(), back), kxm3::ReadResult::Complete);
    ExpectSameModel(source, back);
    EXPECT_TRUE(back.mAnimated);
    // Writing what was read gives the same bytes.
    EXPECT_EQ(kxm3::Write(back), bytes);
    // The shaded modes draw by batches, which come from the triangles' materials.
    ASSERT_EQ(back.mMeshes[0].mBatches.size(), 2u);
    EXPECT_EQ(back.mMeshes[0].mBatches[0].mMaterial, 1);
    EXPECT_EQ(back.mMeshes[0].mBatches[0].mTriangles, std::vector<uint32_t>{0});
    EXPECT_EQ(back.mMeshes[0].mBatches[1].mTriangles, std::vector<uint32_t>{1});
}

// Texture names are not cut at 255 characters any more; a whole path comes back.
TEST(Kxm3, ATexturePathOfSeveralHundredCharactersSurvives)
{
    CDocModel source = FullModel();
    const std::string path = "/" + std::string(300, 'a') + "/" + std::string(300, 'b') + "/skin.tga";
    source.mMaterials[0].mDiffuseTex.SetFileNameUtf8(path.c_str());
    const std::vector<uint8_t> bytes = kxm3::Write(source);
    CDocModel back;
    ASSERT_EQ(kxm3::Read(bytes.data(), bytes.size(), back), kxm3::ReadResult::Complete);
    EXPECT_EQ(back.mMaterials[0].mDiffuseTex.GetFileNameUtf8(), path);
}

TEST(Kxm3, EmptyModelAndOptionalChunks)
{
    const std::vector<uint8_t> empty = kxm3::Write(CDocModel());
    EXPECT_EQ(empty, (std::vector<uint8_t>{'K', 'X', 'M', '3', 2, 0, 0x4B, 0x58, 6, 0, 0, 0}));
    CDocModel back = FullModel();
    EXPECT_EQ(kxm3::Read(empty.data(), empty.size(), back), kxm3::ReadResult::Complete);
    EXPECT_TRUE(back.mMeshes.empty() && back.mMaterials.empty() && back.mJoints.empty());

    // Joints without loops: the skeleton chunk has no loop list. A mesh without triangles has no list either.
    CDocModel m = FullModel();
    m.mSequences.clear();
    const std::vector<uint8_t> bytes = kxm3::Write(m);
    const auto has = [&](uint16_t id) {
        for (size_t i = 0; i + 1 < bytes.size(); ++i)
            if (bytes[i] == (id & 0xFF) && bytes[i + 1] == (id >> 8))
                return true;
        return false;
    };
    EXPECT_TRUE(has(0xC000));
    EXPECT_FALSE(has(0xC600));
    ASSERT_EQ(kxm3::Read(bytes.data(), bytes.size(), back), kxm3::ReadResult::Complete);
    EXPECT_TRUE(back.mMeshes[1].mTriangles.empty());
    EXPECT_TRUE(back.mSequences.empty());
}

TEST(Kxm3, ContainersAndUnknownChunks)
{
    CDocModel source = FullModel();
    std::vector<uint8_t> bytes = kxm3::Write(source);

    // Wrap everything below the root in a 0xD000 container, and add an unknown child to the first mesh.
    std::vector<uint8_t> wrapped(bytes.begin(), bytes.begin() + 12);
    const std::vector<uint8_t> inner(bytes.begin() + 12, bytes.end());
    const uint8_t header[6] = {0x00, 0xD0, 0, 0, 0, 0};
    wrapped.insert(wrapped.end(), header, header + 6);
    PutU32(wrapped, 14, uint32_t(6 + inner.size()));
    wrapped.insert(wrapped.end(), inner.begin(), inner.end());
    PutU32(wrapped, 8, uint32_t(wrapped.size() - 6));
    CDocModel back;
    ASSERT_EQ(kxm3::Read(wrapped.data(), wrapped.size(), back), kxm3::ReadResult::Complete);
    ExpectSameModel(source, back);

    // An unknown top-level chunk empties the model.
    std::vector<uint8_t> unknown = bytes;
    const uint8_t extra[8] = {0x00, 0xE0, 8, 0, 0, 0, 1, 2};
    unknown.insert(unknown.end(), extra, extra + 8);
    PutU32(unknown, 8, uint32_t(unknown.size() - 6));
    EXPECT_EQ(kxm3::Read(unknown.data(), unknown.size(), back), kxm3::ReadResult::Emptied);
    EXPECT_TRUE(back.mMeshes.empty());

    // An unknown child inside a known container is skipped: append one to the material list.
    CDocModel plain;
    plain.mMaterials.resize(1);
    std::strcpy(plain.mMaterials[0].mName, "Only");
    std::vector<uint8_t> withChild = kxm3::Write(plain);
    const uint8_t child[7] = {0x99, 0xB0, 7, 0, 0, 0, 42};
    withChild.insert(withChild.end(), child, child + 7);
    PutU32(withChild, 8, uint32_t(withChild.size() - 6));
    PutU32(withChild, 14, uint32_t(withChild.size() - 12)); // the material list chunk
    ASSERT_EQ(kxm3::Read(withChild.data(), withChild.size(), back), kxm3::ReadResult::Complete);
    ASSERT_EQ(back.mMaterials.size(), 1u);
    EXPECT_STREQ(back.mMaterials[0].mName, "Only");
}

TEST(Kxm3, RootLengthMustMatchTheFile)
{
    std::vector<uint8_t> bytes = kxm3::Write(FullModel());
    CDocModel back;
    PutU32(bytes, 8, uint32_t(bytes.size() - 5));
    EXPECT_EQ(kxm3::Read(bytes.data(), bytes.size(), back), kxm3::ReadResult::Emptied);
    PutU32(bytes, 8, uint32_t(bytes.size() - 7));
    EXPECT_EQ(kxm3::Read(bytes.data(), bytes.size(), back), kxm3::ReadResult::Emptied);
    EXPECT_TRUE(back.mMeshes.empty());
}

TEST(Kxm3, TruncationAnywhereKeepsWhatWasReadAndNeverCrashes)
{
    const CDocModel source = FullModel();
    const std::vector<uint8_t> full = kxm3::Write(source);
    for (size_t n = 12; n < full.size(); ++n) {
        std::vector<uint8_t> cut(full.begin(), full.begin() + long(n));
        PutU32(cut, 8, uint32_t(n - 6)); // a consistent root around a damaged inside
        CDocModel back;
        const kxm3::ReadResult r = kxm3::Read(cut.data(), cut.size(), back);
        EXPECT_NE(r, kxm3::ReadResult::Emptied) << n;
        EXPECT_LE(back.mMeshes.size(), source.mMeshes.size());
        for (const CMesh& mesh : back.mMeshes)
            for (const CTriangle& t : mesh.mTriangles)
                for (int32_t v : t.mVertices)
                    EXPECT_LT(size_t(v), mesh.mVertices.size());
    }
}

TEST(Kxm3, LyingCountsAndBadIndicesAreClipped)
{
    CDocModel source = FullModel();
    std::vector<uint8_t> bytes = kxm3::Write(source);
    // The mesh count follows the root header and the A000 header.
    PutU32(bytes, 18, 0xFFFFFFF0u);
    CDocModel back;
    EXPECT_EQ(kxm3::Read(bytes.data(), bytes.size(), back), kxm3::ReadResult::Complete);
    EXPECT_LT(back.mMeshes.size(), 100u);
    EXPECT_STREQ(back.mMeshes[0].mName, "Body");

    source.mMeshes[0].mTriangles[1].mVertices[0] = 3; // no such vertex
    bytes = kxm3::Write(source);
    EXPECT_EQ(kxm3::Read(bytes.data(), bytes.size(), back), kxm3::ReadResult::Partial);
    EXPECT_EQ(back.mMeshes[0].mTriangles.size(), 1u);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DocModel, SavesAtomicallyAndTellsNativeFromForeign)
{
    kestrel::test::TempDir dir;
    const std::string path = dir.File("model.kxm3");
    const CDocModel source = FullModel();
    ASSERT_TRUE(source.SaveNative(path));
    CDocModel back;
    ASSERT_EQ(back.LoadNative(path), CDocModel::LoadStatus::Native);
    ExpectSameModel(source, back);

    // A save that cannot complete leaves the old file.
    const std::string before = ReadFile(path);
    std::filesystem::create_directory(dir.File("model.kxm3.dir"));
    EXPECT_FALSE(CDocModel().SaveNative(dir.File("missing/folder/x.kxm3")));
    EXPECT_EQ(ReadFile(path), before);

    std::ofstream(dir.File("foreign.kxm3")) << "solid cube\nendsolid\n";
    EXPECT_EQ(back.LoadNative(dir.File("foreign.kxm3")), CDocModel::LoadStatus::Foreign);
    EXPECT_EQ(back.mMeshes.size(), 2u); // untouched
    std::ofstream(dir.File("short.kxm3")) << "KXM";
    EXPECT_EQ(back.LoadNative(dir.File("short.kxm3")), CDocModel::LoadStatus::Unreadable);
    EXPECT_EQ(back.LoadNative(dir.File("none.kxm3")), CDocModel::LoadStatus::Unreadable);
    std::ofstream(dir.File("v3.kxm3")) << "KXM3" << char(3) << char(0) << "rest";
    EXPECT_EQ(back.LoadNative(dir.File("v3.kxm3")), CDocModel::LoadStatus::Foreign);
}

} // namespace
