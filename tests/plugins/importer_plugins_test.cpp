// The four mesh and motion importers loaded as a host loads them: exports, information
// records, registration strings, icons, and Process on written files.

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <fstream>

#include "formats/bvh_writer.h"
#include "formats/off_writer.h"
#include "formats/stl_writer.h"
#include "formats/studio3ds_writer.h"
#include "import_record.h"
#include "plugframe/plugin.h"
#include "plugin_library.h"
#include "temp_dir.h"

namespace {

using kestrel::test::ImportRecord;
using kestrel::test::Library;
using kestrel::test::PlugIn;

struct Expected {
    const char* path;
    const char* name;
    int32_t version[4];
    const char* description;
    const char* registration;
};

const Expected kPlugIns[] = {
    {KESTREL_IMPORTER_LITHOREADER, "STL Import", {1, 1, 0, 67},
     "Imports Stereo Litography files. Both ACII and binary format versions supported.",
     "<KXIMP><EXTNUM:3><T:1 EXT:\"STL\" INF:\"Stereo Litography\" ICO:2007>"
     "<T:1 EXT:\"STLA\" INF:\"Stereo Litography\" ICO:2007><T:1 EXT:\"STLB\" INF:\"Stereo Litography\" ICO:2007>"},
    {KESTREL_IMPORTER_POLYREADER, "OFF Import", {1, 1, 0, 107}, "Imports Object File Format Vector Graphic files (*.OFF).",
     "<KXIMP><EXTNUM:1><T:1 EXT:\"OFF\" INF:\"Object File Format Vector Graphic\" ICO:2007>"},
    {KESTREL_IMPORTER_MOTIONREADER, "BVH Import", {1, 1, 0, 173},
     "Imports BioVision Hierarchy Data (motion capture) objects (*.BVH).",
     "<KXIMP><EXTNUM:1><T:1 EXT:\"BVH\" INF:\"BioVision Hierarchy Data\" ICO:2007>"},
    {KESTREL_IMPORTER_STUDIOREADER, "3DS Import", {2, 1, 0, 521}, "Imports Autodesk 3D Studio files (*.3DS).",
     "<KXIMP><EXTNUM:1><T:1 EXT:\"3DS\" INF:\"Autodesk 3D Studio\" ICO:2007>"},
};

std::u16string Wide(const std::string& path) { return std::u16string(path.begin(), path.end()); }

void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

TEST(ImporterPlugIns, InformationRegistrationAndIcon)
{
    for (const Expected& e : kPlugIns) {
        SCOPED_TRACE(e.name);
        Library library(e.path);
        ASSERT_TRUE(library.Loaded()) << dlerror();
        ASSERT_NE(library.Symbol<PlugInCreateFunction>(PLUGIN_CREATE_EXPORT_NAME), nullptr);
        ASSERT_NE(library.Symbol<PlugInDestroyFunction>(PLUGIN_DESTROY_EXPORT_NAME), nullptr);
        PlugIn plugIn(library);
        PlugInInfo info;
        ASSERT_TRUE(plugIn->GetInfo(&info));
        EXPECT_STREQ(info.name, e.name);
        EXPECT_EQ(info.type, PLUGIN_IMPORT);
        EXPECT_EQ(info.interfaceId, PLUGIN_INTERFACE_ID);
        EXPECT_EQ(info.interfaceId2, PLUGIN_INTERFACE_ID);
        EXPECT_EQ((std::array<int32_t, 4>{info.versionMajor, info.versionMinor, info.versionRelease, info.versionBuild}),
                  (std::array<int32_t, 4>{e.version[0], e.version[1], e.version[2], e.version[3]}));
        EXPECT_STREQ(info.company, "Halvard");
        EXPECT_STREQ(info.description, e.description);
        EXPECT_STREQ(info.extra, "");
        EXPECT_STREQ(plugIn->GetRegistration(), e.registration);

        const auto icon = library.Symbol<PlugInIconFunction>(PLUGIN_ICON_EXPORT_NAME);
        ASSERT_NE(icon, nullptr);
        const unsigned char* png = nullptr;
        EXPECT_GT(icon(2007, 16, &png), 0u);
        EXPECT_NE(png, nullptr);
        EXPECT_GT(icon(2007, 32, &png), 0u);

        ImportRecord r;
        EXPECT_EQ(plugIn->Process(nullptr, u"x"), PLUGIN_RESULT_FAILED);
        EXPECT_EQ(plugIn->Process(&r.model, nullptr), PLUGIN_RESULT_FAILED);
        EXPECT_EQ(plugIn->Process(&r.model, u"/no/such/file"), PLUGIN_RESULT_FAILED);
    }
}

TEST(ImporterPlugIns, ProcessReadsWrittenFiles)
{
    kestrel::test::TempDir dir;
    const std::string stl = dir.File("cube.stl"), off = dir.File("quad.off"), bvh = dir.File("walk.bvh"),
                      studio = dir.File("box.3ds"), junk = dir.File("junk.bin");
    WriteFile(stl, kestrel::test::stl::WriteBinary("Cube", kestrel::test::stl::Cube()));
    WriteFile(off, kestrel::test::off::Write({{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}, {{0, 1, 2, 3}}}));
    namespace bvhfx = kestrel::test::bvh;
    WriteFile(bvh, bvhfx::Write({"Hips", {0, 0, 0}, {"Xposition", "Yposition", "Zposition", "Zrotation", "Xrotation", "Yrotation"},
                                 {bvhfx::EndSite(0, 1, 0)}},
                                {{0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}}, 0.5f));
    WriteFile(studio, kestrel::test::studio3ds::Write({}, {kestrel::test::studio3ds::Cube(true)}));
    WriteFile(junk, std::string("neither of these formats\n"));

    const std::string files[] = {stl, off, bvh, studio};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(kPlugIns[i].name);
        Library library(kPlugIns[i].path);
        ASSERT_TRUE(library.Loaded()) << dlerror();
        PlugIn plugIn(library);
        ImportRecord r;
        ASSERT_EQ(plugIn->Process(&r.model, Wide(files[i]).c_str()), PLUGIN_RESULT_CHANGED);
        if (i == 2) {
            EXPECT_EQ(skModelGetJointCount(&r.model), 2);
            EXPECT_EQ(skModelGetAnimationLength(&r.model), 2);
            EXPECT_EQ(skModelGetFPS(&r.model), 2.0f);
        } else {
            EXPECT_EQ(skModelGetGroupCount(&r.model), 1);
            EXPECT_GT(skModelGetFaceCount(&r.model), 0);
        }
        ImportRecord rejected;
        EXPECT_EQ(plugIn->Process(&rejected.model, Wide(junk).c_str()), PLUGIN_RESULT_FAILED);
    }
}

} // namespace
