#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "known_model.h"
#include "nimbus/model.h"
#include "nimbus/texture.h"
#include "plugin_manager.h"
#include "temp_dir.h"

namespace {

using kestrel::host::CPlugInManager;
using kestrel::test::TempDir;
namespace fs = std::filesystem;

void Install(const TempDir& dir, const char* library, const std::string& name)
{
    fs::copy_file(library, dir.Path() / name, fs::copy_options::overwrite_existing);
}

TEST(PlugInManager, ScanAcceptsGoodLibrariesAndSkipsTheRest)
{
    TempDir dir;
    Install(dir, KESTREL_FIXTURE_PLUGIN_IMPORTER, "a_importer.so");
    Install(dir, KESTREL_FIXTURE_PLUGIN_IMPORTER, "b_importer.so");
    Install(dir, KESTREL_FIXTURE_PLUGIN_TOOL, "tool.so");
    Install(dir, KESTREL_FIXTURE_PLUGIN_NO_DESTROY, "no_destroy.so");
    Install(dir, KESTREL_FIXTURE_PLUGIN_WRONG_INTERFACE, "wrong.so");
    std::ofstream(dir.File("broken.so")) << "not a library";
    std::ofstream(dir.File("readme.txt")) << "ignored";

    CPlugInManager manager;
    EXPECT_EQ(manager.Scan(dir.Path().string()), 3);
    ASSERT_EQ(manager.Importers().size(), 2u);
    ASSERT_EQ(manager.Tools().size(), 1u);
    EXPECT_TRUE(manager.Exporters().empty());
    EXPECT_EQ(manager.Importers()[0].path, (dir.Path() / "a_importer.so").string());
    EXPECT_EQ(manager.Importers()[0].name, "Known Import");
    EXPECT_EQ(manager.Tools()[0].commandId, kestrel::host::kFirstPlugInCommand);

    // Both importers register KNOWN; the first one serves it. The native type comes last.
    const auto& types = manager.FileTypes();
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types.back().extension, "KXM3");
    EXPECT_EQ(types.back().description, "Kestrel 3D Model");
    EXPECT_EQ(types.back().small.hostIcon, kestrel::host::kNativeFileIcon);
    EXPECT_EQ(types.back().importerIndex, 2u);
    ASSERT_NE(manager.FindFileType("KNOWN"), nullptr);
    EXPECT_EQ(manager.FindFileType("KNOWN")->importerIndex, 0u);
    EXPECT_FALSE(types[0].small.png.empty()); // the fixture carries icon 2007
    EXPECT_EQ(manager.FindFileType("KXM3"), nullptr);

    // A missing folder changes nothing.
    EXPECT_EQ(manager.Scan(dir.File("missing")), 0);
    EXPECT_EQ(manager.Count(), 3);
    manager.UnloadAll();
    EXPECT_EQ(manager.Count(), 0);
    EXPECT_TRUE(manager.FileTypes().empty());
}

// The command line's load: libraries in name order, only importers kept, and nothing
// after the first importer of the file's extension, so that importer serves it as in Scan.
TEST(PlugInManager, ScanImportersForStopsAtTheImporterOfTheExtension)
{
    TempDir dir;
    Install(dir, KESTREL_FIXTURE_PLUGIN_TOOL, "a_tool.so");
    Install(dir, KESTREL_FIXTURE_PLUGIN_IMPORTER, "b_importer.so");
    Install(dir, KESTREL_FIXTURE_PLUGIN_IMPORTER, "c_importer.so");
    Install(dir, KESTREL_FIXTURE_PLUGIN_WRONG_INTERFACE, "d_wrong.so");

    CPlugInManager full;
    ASSERT_EQ(full.Scan(dir.Path().string()), 3);

    CPlugInManager manager;
    EXPECT_EQ(manager.ScanImportersFor(dir.Path().string(), "/some/where/model.known"), 1);
    ASSERT_EQ(manager.Importers().size(), 1u);
    EXPECT_TRUE(manager.Tools().empty());
    EXPECT_EQ(manager.Importers()[0].path, full.Importers()[0].path);
    ASSERT_NE(manager.FindFileType("KNOWN"), nullptr);
    EXPECT_EQ(manager.FindFileType("KNOWN")->importerIndex, full.FindFileType("KNOWN")->importerIndex);
    EXPECT_EQ(manager.FileTypes().back().extension, "KXM3");

    // An extension nobody registers loads every importer, and still no tool.
    EXPECT_EQ(manager.ScanImportersFor(dir.Path().string(), "model.other"), 2);
    EXPECT_EQ(manager.Importers().size(), 2u);
    EXPECT_TRUE(manager.Tools().empty());
    EXPECT_EQ(manager.FindFileType("OTHER"), nullptr);
    EXPECT_EQ(manager.ScanImportersFor(dir.Path().string(), "no_extension"), 2);
}

// An importer whose file shows it registers other extensions only is not loaded for a
// file it cannot serve, unless nobody declares that file's extension.
TEST(PlugInManager, ScanImportersForPassesOverImportersOfOtherExtensions)
{
    TempDir dir;
    Install(dir, KESTREL_FIXTURE_PLUGIN_OTHER_IMPORTER, "a_other.so");
    Install(dir, KESTREL_FIXTURE_PLUGIN_IMPORTER, "b_importer.so");

    CPlugInManager manager;
    EXPECT_EQ(manager.ScanImportersFor(dir.Path().string(), "model.known"), 1);
    ASSERT_EQ(manager.Importers().size(), 1u);
    EXPECT_EQ(fs::path(manager.Importers()[0].path).filename(), "b_importer.so");
    EXPECT_EQ(manager.FindFileType("OTHER"), nullptr);

    EXPECT_EQ(manager.ScanImportersFor(dir.Path().string(), "MODEL.Other"), 1);
    ASSERT_EQ(manager.Importers().size(), 1u);
    EXPECT_EQ(fs::path(manager.Importers()[0].path).filename(), "a_other.so");

    // The host reads its own format without them.
    EXPECT_EQ(manager.ScanImportersFor(dir.Path().string(), "model.kxm3"), 0);
    EXPECT_EQ(manager.FileTypes().back().extension, "KXM3");

    // The file's content picks its type then, so every importer is there, in name order.
    EXPECT_EQ(manager.ScanImportersFor(dir.Path().string(), "model.misnamed"), 2);
    ASSERT_EQ(manager.Importers().size(), 2u);
    EXPECT_EQ(fs::path(manager.Importers()[0].path).filename(), "a_other.so");
    EXPECT_EQ(fs::path(manager.Importers()[1].path).filename(), "b_importer.so");
}

TEST(PlugInManager, ImportAndRunCommand)
{
    TempDir plugins, files;
    Install(plugins, KESTREL_FIXTURE_PLUGIN_IMPORTER, "importer.so");
    Install(plugins, KESTREL_FIXTURE_PLUGIN_TOOL, "tool.so");
    Install(plugins, KESTREL_FIXTURE_PLUGIN_THROWING, "throwing.so");
    CPlugInManager manager;
    ASSERT_EQ(manager.Scan(plugins.Path().string()), 3);

    std::ofstream(files.File("thing.known")) << "x";
    kestrel::test::CurrentDirScope here(files.Path());
    CModel model;
    CTexture image;
    EXPECT_EQ(manager.Import(files.File("thing.known"), model, image), kestrel::host::kResultModel);
    EXPECT_STREQ(model.mMeshes[0].mName, kestrel::test::kKnownGroupName);
    // Nothing registers these.
    EXPECT_EQ(manager.Import(files.File("thing.kxm3"), model, image), kestrel::host::kResultFailed);
    EXPECT_EQ(manager.Import(files.File("noextension"), model, image), kestrel::host::kResultFailed);

    const int idle = manager.Tools()[1].commandId;
    const int thrower = manager.Tools()[0].commandId; // "throwing.so" sorts before "tool.so"
    EXPECT_EQ(manager.RunCommand(idle, model), 2);
    EXPECT_EQ(model.mMeshes.size(), 1u);
    EXPECT_EQ(manager.RunCommand(thrower, model), kestrel::host::kResultException);
    EXPECT_EQ(manager.RunCommand(99999, model), kestrel::host::kResultFailed);
    EXPECT_EQ(fs::current_path(), files.Path());
}

TEST(PlugInManager, RealImportersRegisterTheirTypes)
{
    TempDir dir;
    Install(dir, KESTREL_PICTUREREADER_MODULE, "picturereader.so");
    Install(dir, KESTREL_SHAPEBIN_MODULE, "shapebin.so");
    CPlugInManager manager;
    ASSERT_EQ(manager.Scan(dir.Path().string()), 2);
    ASSERT_NE(manager.FindFileType("DIB"), nullptr);
    EXPECT_EQ(manager.FindFileType("DIB")->kind, 2);
    EXPECT_FALSE(manager.FindFileType("DIB")->large.png.empty());
    EXPECT_EQ(manager.FindFileType("TIFF"), nullptr);
    ASSERT_NE(manager.FindFileType("MS3D"), nullptr);
    EXPECT_EQ(manager.FindFileType("MS3D")->kind, 1);
    EXPECT_EQ(manager.FileTypes().size(), 13u);
    EXPECT_EQ(manager.Importers()[0].VersionText(), "1.1.0.21");
}

} // namespace
