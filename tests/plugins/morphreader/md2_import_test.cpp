#include <gtest/gtest.h>

#include <sys/stat.h>

#include "formats/md2_afs_writer.h"
#include "image_fixtures.h"
#include "import_record.h"
#include "model_compare.h"
#include "nimbus/model.h"
#include "plugin_library.h"
#include "temp_dir.h"
#include "util/utf16.h"

namespace {

using kestrel::test::Md2Model;
using kestrel::test::TempDir;

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

char ImportWithPlugIn(CModel& model, const std::string& path)
{
    const std::u16string name = Wide(path);
    return model.ProcessPlugIn(KESTREL_MORPHREADER_MODULE, reinterpret_cast<const char*>(name.c_str()));
}

// A 4 x 4 grid of vertices, the last one used by no triangle, without skins.
Md2Model Grid()
{
    Md2Model m;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            m.positions.insert(m.positions.end(), {uint8_t(x * 20), uint8_t(y * 20), uint8_t((x * y) % 7)});
    m.positions.insert(m.positions.end(), {200, 200, 200});
    m.scale[0] = 0.25f, m.scale[1] = 0.5f, m.scale[2] = 2.0f;
    m.skinWidth = 64, m.skinHeight = 32;
    for (int i = 0; i < 16; ++i)
        m.texCoords.insert(m.texCoords.end(), {int16_t((i % 4) * 16), int16_t((i / 4) * 8)});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            const int16_t a = int16_t(y * 4 + x), b = int16_t(a + 1), c = int16_t(a + 4), d = int16_t(a + 5);
            m.triangles.insert(m.triangles.end(), {a, b, d, a, b, d, a, d, c, a, d, c});
        }
    m.frames = 3;
    return m;
}

TEST(Md2Import, TheViewerGetsWhatTheEngineReaderBuilds)
{
    TempDir dir;
    struct Case {
        const char* file;
        Md2Model model;
    };
    Md2Model twoSkins = kestrel::test::SampleMd2();
    twoSkins.skins.push_back("models/other.pcx");
    for (const Case& c : {Case{"quad.md2", kestrel::test::SampleMd2()}, Case{"grid.md2", Grid()},
                          Case{"skins.md2", twoSkins}}) {
        SCOPED_TRACE(c.file);
        const std::string path = dir.File(c.file);
        kestrel::test::WriteBytes(path, kestrel::test::WriteMd2(c.model));
        CModel engine, viewer;
        ASSERT_TRUE(engine.ImportMd2File(path.c_str()));
        ASSERT_EQ(ImportWithPlugIn(viewer, path), 1);
        kestrel::test::ExpectSameModel(engine, viewer, {.triangleMaterials = !c.model.skins.empty()});
        EXPECT_TRUE(viewer.Finalize(true, true, 1.0f));
    }
}

TEST(Md2Import, TheSkinIsFoundBesideTheModel)
{
    TempDir dir;
    const std::string path = dir.File("tank.md2");
    Md2Model m = kestrel::test::SampleMd2();
    m.skins = {"models/monsters/tank/skin.pcx"};
    kestrel::test::WriteBytes(path, kestrel::test::WriteMd2(m));
    const auto texture = [&](size_t material = 0) {
        CModel model;
        EXPECT_EQ(ImportWithPlugIn(model, path), 1);
        return material < model.mMaterials.size() ? model.mMaterials[material].mDiffuseTex.mFileName : u"<none>";
    };
    // Nothing beside the model: the name as written, as the engine's reader keeps it.
    EXPECT_EQ(texture(), u"models/monsters/tank/skin.pcx");

    kestrel::test::WriteBytes(dir.File("tank.pcx"), {1});
    EXPECT_EQ(texture(), Wide(dir.File("tank.pcx")));
    kestrel::test::WriteBytes(dir.File("Skin.PCX"), {1});
    EXPECT_EQ(texture(), Wide(dir.File("Skin.PCX")));
    kestrel::test::WriteBytes(dir.File("skin.pcx"), {1});
    EXPECT_EQ(texture(), Wide(dir.File("skin.pcx")));
    std::filesystem::create_directories(dir.Path() / "models/monsters/tank");
    kestrel::test::WriteBytes(dir.File("models/monsters/tank/skin.pcx"), {1});
    EXPECT_EQ(texture(), Wide(dir.File("models/monsters/tank/skin.pcx")));

    // Without skins the image of the model's name becomes the one material.
    m.skins.clear();
    kestrel::test::WriteBytes(path, kestrel::test::WriteMd2(m));
    CModel model;
    ASSERT_EQ(ImportWithPlugIn(model, path), 1);
    ASSERT_EQ(model.mMaterials.size(), 1u);
    EXPECT_STREQ(model.mMaterials[0].mName, "tank.pcx");
    ASSERT_FALSE(model.mMeshes[0].mBatches.empty());
    EXPECT_EQ(model.mMeshes[0].mBatches[0].mMaterial, 0);
}

TEST(Md2Import, ASideFileSplitsTheDeclaredFrames)
{
    TempDir dir;
    const std::string path = dir.File("walker.md2");
    Md2Model m = Grid();
    m.frames = 40;
    kestrel::test::WriteBytes(path, kestrel::test::WriteMd2(m));
    kestrel::test::Library library(KESTREL_MORPHREADER_MODULE);
    ASSERT_TRUE(library.Loaded());
    kestrel::test::PlugIn plugIn(library);
    const std::u16string name = Wide(path);
    const auto loops = [&]() {
        kestrel::test::ImportRecord record;
        EXPECT_EQ(plugIn->Process(&record.model, name.c_str()), PLUGIN_RESULT_CHANGED);
        EXPECT_EQ(skModelGetAnimationLength(&record.model), 40);
        std::vector<std::string> names;
        for (int32_t i = 0; i < skModelGetLoopCount(&record.model); ++i)
            names.emplace_back(skLoopGetName(skModelGetLoop(&record.model, i)));
        return names;
    };
    EXPECT_TRUE(loops().empty());
    kestrel::test::WriteBytes(dir.File("walker.afs"), kestrel::test::WriteAfs({{"stand", 0, 19, 0}, {"run", 20, 40, 1}}));
    EXPECT_EQ(loops(), (std::vector<std::string>{"stand", "run"}));
    // A frame past the end removes every sequence; a bad header is ignored.
    kestrel::test::WriteBytes(dir.File("walker.afs"), kestrel::test::WriteAfs({{"stand", 0, 19, 0}, {"run", 20, 41, 1}}));
    EXPECT_TRUE(loops().empty());
    kestrel::test::WriteBytes(dir.File("walker.afs"), {'A', 'F', 'X', 1, 0, 0, 0});
    EXPECT_TRUE(loops().empty());
}

TEST(Md2Import, BadFilesAreRefusedAndLeaveTheModel)
{
    TempDir dir;
    const std::string good = dir.File("good.md2");
    kestrel::test::WriteBytes(good, kestrel::test::WriteMd2(kestrel::test::SampleMd2()));
    CModel model;
    ASSERT_EQ(ImportWithPlugIn(model, good), 1);

    Md2Model old = kestrel::test::SampleMd2();
    old.version = 7;
    Md2Model badIndex = kestrel::test::SampleMd2();
    badIndex.triangles[1] = 9;
    std::vector<uint8_t> cut = kestrel::test::WriteMd2(kestrel::test::SampleMd2());
    cut.resize(cut.size() - 3);
    std::vector<uint8_t> header = cut;
    header.resize(50);
    for (const std::vector<uint8_t>& bytes : {kestrel::test::WriteMd2(old), kestrel::test::WriteMd2(badIndex), cut,
                                              header, std::vector<uint8_t>{}}) {
        const std::string path = dir.File("bad.md2");
        kestrel::test::WriteBytes(path, bytes);
        EXPECT_EQ(ImportWithPlugIn(model, path), 0);
        EXPECT_EQ(model.mMeshes.size(), 1u);
    }
    EXPECT_EQ(ImportWithPlugIn(model, dir.File("missing.md2")), 0);
    EXPECT_EQ(model.ProcessPlugIn(KESTREL_MORPHREADER_MODULE, nullptr), 0);
}

TEST(Md2Import, HostileNamesAndPipes)
{
    TempDir dir;
    kestrel::test::Library library(KESTREL_MORPHREADER_MODULE);
    ASSERT_TRUE(library.Loaded());
    kestrel::test::PlugIn plugIn(library);
    // The host's own conversion of a name that is not UTF-8; the skin beside it is found.
    const std::string path = dir.File("w\xfcrfel\xff.md2");
    Md2Model m = kestrel::test::SampleMd2();
    m.skins.clear();
    kestrel::test::WriteBytes(path, kestrel::test::WriteMd2(m));
    kestrel::test::WriteBytes(dir.File("w\xfcrfel\xff.pcx"), {1});
    {
        kestrel::test::ImportRecord record;
        ASSERT_EQ(plugIn->Process(&record.model, nimbus::Utf8ToUtf16(path.c_str()).c_str()), PLUGIN_RESULT_CHANGED);
        ASSERT_EQ(skModelGetMaterialCount(&record.model), 1);
        EXPECT_EQ(std::string(skMaterialGetTextureDiffuse(skModelGetMaterial(&record.model, 0))),
                  dir.File("w\xfcrfel\xff.pcx"));
    }
    // A pipe is refused without waiting for a writer.
    const std::string fifo = dir.File("pipe.md2");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    kestrel::test::ImportRecord record;
    EXPECT_EQ(plugIn->Process(&record.model, Wide(fifo).c_str()), PLUGIN_RESULT_FAILED);
    EXPECT_EQ(plugIn->Process(nullptr, Wide(path).c_str()), PLUGIN_RESULT_FAILED);
}

} // namespace
