#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>

#include "formats/md2_afs_writer.h"
#include "formats/ms3d_writer.h"
#include "image_fixtures.h"
#include "ms3d_import.h"
#include "nimbus/model.h"
#include "temp_dir.h"

namespace {

namespace fx = kestrel::test::ms3d;
using kestrel::test::TempDir;

struct Record {
    skModel* model = static_cast<skModel*>(std::calloc(1, SK_MODEL_RECORD_SIZE));
    Record() { skModelInit(model); }
    ~Record()
    {
        skModelNullify(model);
        std::free(model);
    }
};

bool Build(const fx::Model& m, Record& r)
{
    const std::vector<uint8_t> bytes = fx::Write(m);
    nimbus::ms3d::File file;
    return nimbus::ms3d::Parse(bytes.data(), bytes.size(), file) == nimbus::ms3d::ParseStatus::Ok &&
           kestrel::shapebin::BuildModel(file, r.model);
}

TEST(Shapebin, FillsTheRecordLikeTheEngineReader)
{
    Record r;
    ASSERT_TRUE(Build(fx::SampleModel(), r));
    ASSERT_EQ(skModelGetGroupCount(r.model), 2);
    const skGroup* body = skModelGetGroup(r.model, 0);
    EXPECT_STREQ(skGroupGetName(body), "Body");
    EXPECT_EQ(skGroupGetVertexCount(body), 4);
    EXPECT_EQ(skGroupGetFaceCount(body), 2);
    EXPECT_EQ(skGroupGetNormalCount(body), 6);
    const skTriangle* t = skGroupGetTriangle(body, 1);
    EXPECT_EQ(t->vertexIndices[1], 3);
    EXPECT_EQ(t->textureIndices[2], 5);
    EXPECT_EQ(t->materialIndex, 0);
    EXPECT_FLOAT_EQ(skGroupGetTCoord(body, 3)->v, 0.75f);
    EXPECT_EQ(skGroupGetTriangle(skModelGetGroup(r.model, 1), 0)->materialIndex, -1);
    EXPECT_EQ(skGroupGetVertex(body, 1)->weightCount, 1);
    EXPECT_EQ(skModelGetAnimationLength(r.model), 40);
    ASSERT_EQ(skModelGetJointCount(r.model), 2);
    EXPECT_FLOAT_EQ(skJointGetPositionKey(skModelGetJoint(r.model, 0), 0)->time, 12.0f);
    EXPECT_EQ(std::string(skMaterialGetTextureDiffuse(skModelGetMaterial(r.model, 0))), "skin.tga");
}

TEST(Shapebin, VertexExtrasAddInfluences)
{
    fx::Model m = fx::SampleModel();
    m.vertexExtraVersion = 2;
    m.vertexExtras.resize(m.vertices.size());
    // File vertex 1 is bound to joint 0; it is the second vertex of the first group.
    m.vertexExtras[1] = {{1, 2, -1}, {50, 30, 0}};
    Record r;
    ASSERT_TRUE(Build(m, r));
    const skVertex* v = skGroupGetVertex(skModelGetGroup(r.model, 0), 1);
    ASSERT_EQ(v->weightCount, 3);
    EXPECT_EQ(v->weights[0].jointIndex, 0);
    EXPECT_FLOAT_EQ(v->weights[0].value, 0.5f);
    EXPECT_EQ(v->weights[1].jointIndex, 1);
    EXPECT_FLOAT_EQ(v->weights[1].value, 0.3f);
    EXPECT_EQ(v->weights[2].jointIndex, 2);
    EXPECT_FLOAT_EQ(v->weights[2].value, 1.0f); // the library's default
    EXPECT_EQ(v->weights[2].x, v->weights[0].x);
    // Rigid vertices are never given influences.
    EXPECT_EQ(skGroupGetVertex(skModelGetGroup(r.model, 0), 0)->weightCount, 0);

    m.vertexExtraVersion = 1;
    m.vertexExtras[1] = {{1, 2, 3}, {255, 51, 102}};
    Record r1;
    ASSERT_TRUE(Build(m, r1));
    const skVertex* w = skGroupGetVertex(skModelGetGroup(r1.model, 0), 1);
    ASSERT_EQ(w->weightCount, 4);
    EXPECT_FLOAT_EQ(w->weights[0].value, 2.55f); // influence 0 always uses 0.01
    EXPECT_FLOAT_EQ(w->weights[1].value, 0.2f);
    EXPECT_FLOAT_EQ(w->weights[2].value, 0.4f);
    EXPECT_FLOAT_EQ(w->weights[3].value, 1.0f - 408.0f / 255.0f);
}

TEST(Shapebin, SideFileNamesAndSequences)
{
    using kestrel::shapebin::SideFileName;
    EXPECT_EQ(SideFileName(u"/m/robot.ms3d"), u"/m/robot.afs");
    EXPECT_EQ(SideFileName(u"/m/robot"), u"");
    EXPECT_EQ(SideFileName(u"/m.v2/robot"), u"");

    TempDir dir;
    const std::string path = dir.File("anim.afs");
    const std::u16string wide(path.begin(), path.end());
    const auto apply = [&](const std::vector<uint8_t>& bytes) {
        kestrel::test::WriteBytes(path, bytes);
        Record r;
        EXPECT_TRUE(Build(fx::SampleModel(), r));
        skLoop l{};
        skLoopSetName(&l, "old");
        skModelAddLoopV(r.model, &l);
        kestrel::shapebin::ApplySideFile(wide, r.model);
        std::vector<std::string> names;
        for (int32_t i = 0; i < skModelGetLoopCount(r.model); ++i)
            names.push_back(skLoopGetName(skModelGetLoop(r.model, i)));
        return names;
    };
    const std::string longName(64, 'x');
    EXPECT_EQ(apply(kestrel::test::WriteAfs({{"walk", 1, 20, 0}, {longName, 21, 40, 1}})),
              (std::vector<std::string>{"walk", longName}));
    // A second sequence ending after the animation leaves no sequences at all.
    EXPECT_TRUE(apply(kestrel::test::WriteAfs({{"walk", 1, 20, 0}, {"run", 21, 41, 0}})).empty());
    // A count of zero, or no magic, is ignored.
    EXPECT_EQ(apply(kestrel::test::WriteAfs({}, 0)), (std::vector<std::string>{"old"}));
    EXPECT_EQ(apply({'X', 'F', 'S', 1, 0, 0, 0}), (std::vector<std::string>{"old"}));
}

TEST(Shapebin, ThroughTheEngineWithASideFile)
{
    TempDir dir;
    const std::string model = dir.File("walker.ms3d");
    kestrel::test::WriteBytes(model, fx::Write(fx::SampleModel()));
    kestrel::test::WriteBytes(dir.File("walker.afs"), kestrel::test::WriteAfs({{"walk", 1, 20, 0}, {"run", 21, 40, 2}}));
    const std::u16string wide(model.begin(), model.end());
    CModel m;
    ASSERT_EQ(m.ProcessPlugIn(KESTREL_SHAPEBIN_MODULE, reinterpret_cast<const char*>(wide.c_str())), 1);
    ASSERT_EQ(m.mSequences.size(), 2u);
    EXPECT_STREQ(m.mSequences[1].mName, "run");
    EXPECT_EQ(m.mSequences[1].mPriority, 2);
    EXPECT_EQ(m.mMeshes.size(), 2u);
    EXPECT_TRUE(m.Finalize(true, true, 1.0f));

    // A damaged file or a null name fails and leaves the model.
    std::vector<uint8_t> cut = fx::Write(fx::SampleModel());
    cut.resize(30);
    kestrel::test::WriteBytes(model, cut);
    EXPECT_EQ(m.ProcessPlugIn(KESTREL_SHAPEBIN_MODULE, reinterpret_cast<const char*>(wide.c_str())), 0);
    EXPECT_EQ(m.ProcessPlugIn(KESTREL_SHAPEBIN_MODULE, nullptr), 0);
    EXPECT_EQ(m.mMeshes.size(), 2u);
}

} // namespace
