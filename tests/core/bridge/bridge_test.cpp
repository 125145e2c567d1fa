#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "known_model.h"
#include "nimbus/model.h"
#include "plugframe/plugin.h"
#include "tessera/tessera.h"

namespace {

// Opens the bridge's protected halves to the tests.
class BridgeModel : public CModel {
public:
    using CModel::MdlStructExport;
    using CModel::MdlStructImport;
    using CModel::MdlStructTake;
};

struct RecordOwner {
    skModel* record = static_cast<skModel*>(std::calloc(1, SK_MODEL_RECORD_SIZE));
    RecordOwner() { skModelInit(record); }
    ~RecordOwner()
    {
        skModelNullify(record);
        std::free(record);
    }
};

// The model of the test importer, read through the bridge.
BridgeModel KnownModel()
{
    RecordOwner r;
    EXPECT_TRUE(kestrel::test::FillKnownModel(r.record));
    BridgeModel m;
    EXPECT_TRUE(m.MdlStructImport(r.record));
    return m;
}

// A record thrown away after the import gives up its mesh arrays as they are copied; the
// model is the one a plain import makes.
TEST(Bridge, ATakenRecordGivesTheSameModelAndLosesItsMeshArrays)
{
    const BridgeModel copied = KnownModel();
    RecordOwner r;
    ASSERT_TRUE(kestrel::test::FillKnownModel(r.record));
    BridgeModel taken;
    ASSERT_TRUE(taken.MdlStructTake(r.record));
    const skGroup* g = skModelGetGroup(r.record, 0);
    EXPECT_EQ(skGroupGetVertexCount(g) + skGroupGetFaceCount(g) + skGroupGetNormalCount(g) + skGroupGetTCoordsCount(g), 0);

    ASSERT_EQ(taken.mMeshes.size(), copied.mMeshes.size());
    const CMesh &a = taken.mMeshes[0], &b = copied.mMeshes[0];
    EXPECT_STREQ(a.mName, b.mName);
    EXPECT_EQ(a.mFlags, b.mFlags);
    ASSERT_EQ(a.mVertices.size(), b.mVertices.size());
    for (size_t i = 0; i < a.mVertices.size(); ++i) {
        EXPECT_EQ(std::memcmp(a.mVertices[i].mLoadedPos, b.mVertices[i].mLoadedPos, 12), 0);
        ASSERT_EQ(a.mVertices[i].mWeights.size(), b.mVertices[i].mWeights.size());
        for (size_t w = 0; w < a.mVertices[i].mWeights.size(); ++w) {
            EXPECT_EQ(a.mVertices[i].mWeights[w].mJoint, b.mVertices[i].mWeights[w].mJoint);
            EXPECT_EQ(a.mVertices[i].mWeights[w].mWeight, b.mVertices[i].mWeights[w].mWeight);
        }
    }
    ASSERT_EQ(a.mTriangles.size(), b.mTriangles.size());
    for (size_t i = 0; i < a.mTriangles.size(); ++i) {
        const CTriangle &x = a.mTriangles[i], &y = b.mTriangles[i];
        EXPECT_EQ(std::memcmp(x.mVertices, y.mVertices, sizeof(x.mVertices)), 0);
        EXPECT_EQ(std::memcmp(x.mNormals, y.mNormals, sizeof(x.mNormals)), 0);
        EXPECT_EQ(std::memcmp(x.mTexCoords, y.mTexCoords, sizeof(x.mTexCoords)), 0);
        EXPECT_EQ(std::memcmp(x.mEdgeFlags, y.mEdgeFlags, sizeof(x.mEdgeFlags)), 0);
        EXPECT_EQ(x.mMaterial, y.mMaterial);
        EXPECT_EQ(x.mTextured, y.mTextured);
    }
    ASSERT_EQ(a.mNormals.size(), b.mNormals.size());
    for (size_t i = 0; i < a.mNormals.size(); ++i)
        EXPECT_EQ(std::memcmp(a.mNormals[i].mLoadedDir, b.mNormals[i].mLoadedDir, 12), 0);
    ASSERT_EQ(a.mTexCoords.size(), b.mTexCoords.size());
    for (size_t i = 0; i < a.mTexCoords.size(); ++i)
        EXPECT_EQ(a.mTexCoords[i].mV, b.mTexCoords[i].mV);
    EXPECT_EQ(a.mBatches.size(), b.mBatches.size());
    EXPECT_EQ(taken.mMaterials.size(), copied.mMaterials.size());
    EXPECT_EQ(taken.mJoints.size(), copied.mJoints.size());
    EXPECT_EQ(taken.mSequences.size(), copied.mSequences.size());
}

TEST(Bridge, ImportTakesEveryExchangedField)
{
    const BridgeModel m = KnownModel();
    EXPECT_EQ(m.mFps, 30.0f);
    EXPECT_EQ(m.mTotalFrames, 20u);
    EXPECT_TRUE(m.mAnimated);
    ASSERT_EQ(m.mMeshes.size(), 1u);
    const CMesh& mesh = m.mMeshes[0];
    EXPECT_STREQ(mesh.mName, "Known Mesh");
    EXPECT_EQ(mesh.mFlags, 1);
    ASSERT_EQ(mesh.mVertices.size(), 4u);
    EXPECT_EQ(mesh.mVertices[2].mLoadedPos[0], 2.0f);
    ASSERT_EQ(mesh.mVertices[3].mWeights.size(), 2u);
    EXPECT_EQ(mesh.mVertices[3].mWeights[1].mJoint, 1);
    EXPECT_EQ(mesh.mVertices[3].mWeights[1].mWeight, 0.25f);
    EXPECT_EQ(mesh.mVertices[3].mWeights[1].mLoadedPos[2], -4.0f);
    ASSERT_EQ(mesh.mTriangles.size(), 2u);
    EXPECT_EQ(mesh.mTriangles[0].mTextured, 1);
    EXPECT_EQ(mesh.mTriangles[1].mTextured, 0); // coordinates (2, -1, 3)
    EXPECT_EQ(mesh.mTriangles[1].mEdgeFlags[1], 0);
    EXPECT_EQ(mesh.mTriangles[1].mSmoothingGroup, 3);
    ASSERT_EQ(mesh.mBatches.size(), 2u);
    EXPECT_EQ(mesh.mBatches[0].mMaterial, 0);
    EXPECT_EQ(mesh.mBatches[1].mMaterial, -1);
    EXPECT_EQ(mesh.mNormals[1].mLoadedDir[1], 1.0f);
    EXPECT_EQ(mesh.mTexCoords[3].mV, 0.25f);
    ASSERT_EQ(m.mMaterials.size(), 1u);
    EXPECT_STREQ(m.mMaterials[0].mName, "Known Material");
    EXPECT_TRUE(m.mMaterials[0].mDoubleSided);
    EXPECT_EQ(m.mMaterials[0].mDiffuse[3], 0.9f);
    EXPECT_EQ(std::u16string(m.mMaterials[0].mReflectionTex.mFileName), u"reflect.tga");
    ASSERT_EQ(m.mJoints.size(), 2u);
    EXPECT_STREQ(m.mJoints[1].mParentName, "root");
    EXPECT_EQ(m.mJoints[1].mInitRot.z, 0.5f);
    ASSERT_EQ(m.mJoints[1].mRotKeys.size(), 2u);
    EXPECT_EQ(m.mJoints[1].mRotKeys[1].mTime, 20.0f);
    ASSERT_EQ(m.mSequences.size(), 1u);
    EXPECT_STREQ(m.mSequences[0].mName, "wave");
    EXPECT_EQ(m.mSequences[0].mPriority, 5);
}

TEST(Bridge, RoundTripThroughTheRecordKeepsTheModel)
{
    BridgeModel source = KnownModel();
    source.mMaterials[0].mAlphaTex.SetFileName(u"ålpha.tga");
    RecordOwner r;
    source.MdlStructExport(r.record);
    BridgeModel back;
    ASSERT_TRUE(back.MdlStructImport(r.record));
    ASSERT_EQ(back.mMeshes.size(), 1u);
    const CMesh& a = source.mMeshes[0];
    const CMesh& b = back.mMeshes[0];
    for (size_t i = 0; i < a.mVertices.size(); ++i) {
        EXPECT_EQ(0, std::memcmp(a.mVertices[i].mLoadedPos, b.mVertices[i].mLoadedPos, 12));
        ASSERT_EQ(a.mVertices[i].mWeights.size(), b.mVertices[i].mWeights.size());
    }
    for (size_t i = 0; i < a.mTriangles.size(); ++i) {
        EXPECT_EQ(0, std::memcmp(a.mTriangles[i].mVertices, b.mTriangles[i].mVertices, 12));
        EXPECT_EQ(0, std::memcmp(a.mTriangles[i].mTexCoords, b.mTriangles[i].mTexCoords, 12));
        EXPECT_EQ(0, std::memcmp(a.mTriangles[i].mEdgeFlags, b.mTriangles[i].mEdgeFlags, 3));
        EXPECT_EQ(a.mTriangles[i].mMaterial, b.mTriangles[i].mMaterial);
    }
    EXPECT_EQ(std::u16string(back.mMaterials[0].mAlphaTex.mFileName), u"ålpha.tga");
    EXPECT_EQ(back.mMaterials[0].mShininess, 12.5f);
    EXPECT_EQ(back.mJoints[1].mPosKeys[1].mValue.y, 1.0f);
    EXPECT_EQ(back.mSequences[0].mEnd, 20.0f);
    EXPECT_EQ(back.mFps, 30.0f);
}

TEST(Bridge, BatchesFollowFirstAppearance)
{
    RecordOwner r;
    skGroup* g = skModelAddGroup(r.record);
    skGroupVertexArrayResize(g, 3, 0);
    skGroupTriangleArrayResize(g, 4, 0);
    const int32_t materials[4] = {2, -1, 2, 0};
    for (int i = 0; i < 4; ++i)
        skTriangleSetMaterial(skGroupGetTriangle(g, i), materials[i]);
    skTriangleSetTextureIndices(skGroupGetTriangle(g, 0), 4, -1, 5);
    BridgeModel m;
    ASSERT_TRUE(m.MdlStructImport(r.record));
    const CMesh& mesh = m.mMeshes[0];
    ASSERT_EQ(mesh.mBatches.size(), 3u);
    EXPECT_EQ(mesh.mBatches[0].mMaterial, 2);
    EXPECT_EQ(mesh.mBatches[0].mTriangles, (std::vector<uint32_t>{0, 2}));
    EXPECT_EQ(mesh.mBatches[1].mMaterial, -1);
    EXPECT_EQ(mesh.mBatches[2].mMaterial, 0);
    EXPECT_EQ(mesh.mTriangles[0].mTextured, 0);
    // The coordinate indices point nowhere; finalizing and drawing must not follow them.
    EXPECT_TRUE(m.Finalize(true, true, 1.0f));
}

TEST(Bridge, AnimationRules)
{
    const auto import = [](int32_t length, bool keys, bool loop) {
        RecordOwner r;
        skModelSetAnimationLength(r.record, length);
        skJoint* j = skModelAddJoint(r.record);
        skJointSetName(j, "j");
        if (keys) {
            const skKeyFrame k{3.0f, {0, 0, 1}};
            skJointAddRotationKeyV(j, &k);
        }
        if (loop) {
            skLoop l{};
            skLoopSetName(&l, "hop");
            skModelAddLoopV(r.record, &l);
        }
        BridgeModel m;
        EXPECT_TRUE(m.MdlStructImport(r.record));
        return m;
    };
    BridgeModel keysNoLoops = import(40, true, false);
    ASSERT_EQ(keysNoLoops.mSequences.size(), 1u);
    EXPECT_STREQ(keysNoLoops.mSequences[0].mName, "<All frames>");
    EXPECT_EQ(keysNoLoops.mSequences[0].mStart, 1.0f);
    EXPECT_EQ(keysNoLoops.mSequences[0].mEnd, 40.0f);
    EXPECT_TRUE(keysNoLoops.mAnimated);

    BridgeModel zeroLength = import(0, true, false);
    ASSERT_EQ(zeroLength.mSequences.size(), 1u);
    EXPECT_EQ(zeroLength.mSequences[0].mEnd, 0.0f);
    EXPECT_FALSE(zeroLength.mAnimated);

    BridgeModel loopsNoKeys = import(40, false, true);
    EXPECT_TRUE(loopsNoKeys.mSequences.empty());
    EXPECT_EQ(loopsNoKeys.mTotalFrames, 0u);
    EXPECT_FALSE(loopsNoKeys.mAnimated);
}

// Plug-in objects living in the test itself.
class FakePlugIn : public CPlugIn {
public:
    PlugInType type = PLUGIN_TOOL;
    int32_t interfaceId = PLUGIN_INTERFACE_ID;
    PlugInResult result = PLUGIN_RESULT_DONE;
    bool fill = false;
    bool raise = false;
    int32_t groupsSeen = -1;
    const char16_t* nameSeen = nullptr;

    bool GetInfo(PlugInInfo* info) override
    {
        *info = PlugInInfo{};
        info->type = type;
        info->interfaceId = interfaceId;
        return true;
    }
    const char* GetRegistration() override { return ""; }
    PlugInResult Process(skModel* model, const char16_t* fileName, ...) override
    {
        groupsSeen = skModelGetGroupCount(model);
        nameSeen = fileName;
        if (raise)
            throw std::runtime_error("plug-in failure");
        if (fill)
            kestrel::test::FillKnownModel(model);
        return result;
    }
};

TEST(ProcessPlugIn, ImportersGetAnEmptyRecordAndToolsTheModel)
{
    BridgeModel m = KnownModel();
    FakePlugIn importer;
    importer.type = PLUGIN_IMPORT;
    importer.result = PLUGIN_RESULT_FAILED;
    const char16_t* name = u"file.known";
    EXPECT_EQ(m.ProcessPlugIn(&importer, reinterpret_cast<const char*>(name)), 0);
    EXPECT_EQ(importer.groupsSeen, 0);
    EXPECT_EQ(importer.nameSeen, name);

    FakePlugIn tool;
    EXPECT_EQ(m.ProcessPlugIn(&tool, nullptr), 2);
    EXPECT_EQ(tool.groupsSeen, 1);
    EXPECT_EQ(m.mMeshes.size(), 1u);
    EXPECT_STREQ(m.mMeshes[0].mName, "Known Mesh");

    FakePlugIn filler;
    filler.type = PLUGIN_IMPORT;
    filler.fill = true;
    filler.result = PLUGIN_RESULT_CHANGED;
    BridgeModel empty;
    EXPECT_EQ(empty.ProcessPlugIn(&filler, nullptr), 1);
    EXPECT_EQ(empty.mMeshes.size(), 1u);
}

TEST(ProcessPlugIn, RefusalsAndExceptions)
{
    BridgeModel m = KnownModel();
    EXPECT_EQ(m.ProcessPlugIn(static_cast<CPlugIn*>(nullptr), nullptr), 0);
    FakePlugIn wrong;
    wrong.interfaceId = 1;
    EXPECT_EQ(m.ProcessPlugIn(&wrong, nullptr), 0);
    EXPECT_EQ(wrong.groupsSeen, -1);
    FakePlugIn thrower;
    thrower.raise = true;
    EXPECT_EQ(m.ProcessPlugIn(&thrower, nullptr), -1);
    EXPECT_EQ(m.mMeshes.size(), 1u);
}

TEST(ProcessPlugIn, LibrariesByFileName)
{
    BridgeModel m;
    EXPECT_EQ(m.ProcessPlugIn(KESTREL_FIXTURE_PLUGIN_IMPORTER, nullptr), 1);
    EXPECT_STREQ(m.mMeshes[0].mName, "Known Mesh");
    EXPECT_EQ(m.ProcessPlugIn(KESTREL_FIXTURE_PLUGIN_TOOL, nullptr), 2);
    EXPECT_EQ(m.mMeshes.size(), 1u);
    EXPECT_EQ(m.ProcessPlugIn(KESTREL_FIXTURE_PLUGIN_NO_DESTROY, nullptr), 0);
    EXPECT_EQ(m.ProcessPlugIn(KESTREL_FIXTURE_PLUGIN_WRONG_INTERFACE, nullptr), 0);
    EXPECT_EQ(m.ProcessPlugIn(KESTREL_FIXTURE_PLUGIN_THROWING, nullptr), -1);
    EXPECT_EQ(m.ProcessPlugIn("/no/such/library.so", nullptr), 0);
    EXPECT_EQ(m.ProcessPlugIn(static_cast<const char*>(""), nullptr), 0);
    const std::string path = KESTREL_FIXTURE_PLUGIN_IMPORTER;
    const std::u16string wide(path.begin(), path.end());
    BridgeModel w;
    EXPECT_EQ(w.ProcessPlugIn(wide.c_str(), nullptr), 1);
    EXPECT_EQ(w.mMeshes.size(), 1u);
}

} // namespace
