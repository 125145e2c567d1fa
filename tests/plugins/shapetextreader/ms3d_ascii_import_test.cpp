#include <gtest/gtest.h>

#include "allocation_probe.h"
#include "formats/ms3d_ascii_text.h"
#include "formats/ms3d_writer.h"
#include "image_fixtures.h"
#include "import_record.h"
#include "model_compare.h"
#include "ms3d_ascii_export.h"
#include "ms3d_ascii_import.h"
#include "ms3d_import.h"
#include "plugin_library.h"
#include "nimbus/model.h"
#include "plugin_manager.h"
#include "temp_dir.h"

namespace {

using kestrel::test::TempDir;

char ImportWithPlugIn(CModel& model, const std::string& path)
{
    const std::u16string name(path.begin(), path.end());
    return model.ProcessPlugIn(KESTREL_SHAPETEXTREADER_MODULE, reinterpret_cast<const char*>(name.c_str()));
}

void SaveText(const std::string& path, const std::string& text)
{
    kestrel::test::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// The walker of the MS3D fixtures, written by the MS3D ASCII exporter.
std::string ExportedWalker(const TempDir& dir, const kestrel::ms3dascii::ExportOptions& options = {})
{
    const std::vector<uint8_t> bytes = kestrel::test::ms3d::Write(kestrel::test::ms3d::SampleModel());
    nimbus::ms3d::File file;
    kestrel::test::ImportRecord record;
    EXPECT_EQ(nimbus::ms3d::Parse(bytes.data(), bytes.size(), file), nimbus::ms3d::ParseStatus::Ok);
    EXPECT_TRUE(kestrel::shapebin::BuildModel(file, &record.model));
    const std::string path = dir.File("walker.txt");
    CJobProgress progress;
    EXPECT_EQ(kestrel::ms3dascii::ExportMs3dAscii(&record.model, path, options, progress),
              kestrel::ms3dascii::ExportResult::Written);
    return path;
}

TEST(Ms3dAsciiImport, TheViewerGetsWhatTheEngineReaderBuilds)
{
    TempDir dir;
    const std::string sample = dir.File("sample.txt");
    SaveText(sample, kestrel::test::ms3d_ascii::SampleText());
    kestrel::ms3dascii::ExportOptions still;
    still.animation = false;
    for (const std::string& path : {sample, ExportedWalker(dir), ExportedWalker(dir, still)}) {
        SCOPED_TRACE(path);
        CModel engine, viewer;
        ASSERT_TRUE(engine.ImportMs3dAsciiFile(path.c_str()));
        ASSERT_EQ(ImportWithPlugIn(viewer, path), 1);
        kestrel::test::ExpectSameModel(engine, viewer);
        EXPECT_TRUE(viewer.Finalize(true, true, 1.0f));
    }
    // What the exporter wrote comes back with its skeleton and animation.
    CModel walker;
    ASSERT_EQ(ImportWithPlugIn(walker, ExportedWalker(dir)), 1);
    EXPECT_EQ(walker.mMeshes.size(), 2u);
    EXPECT_EQ(walker.mJoints.size(), 2u);
    EXPECT_TRUE(walker.mAnimated);
    EXPECT_EQ(walker.mTotalFrames, 40u);
}

TEST(Ms3dAsciiImport, OnlyTextsHeadedAsTheFormatAreTaken)
{
    const auto taken = [](const std::string& text) {
        return kestrel::shapetextreader::IsMs3dAsciiText(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    };
    EXPECT_TRUE(taken("// MilkShape 3D ASCII\n"));
    EXPECT_TRUE(taken("// MilkShape 3D ASCII"));
    EXPECT_TRUE(taken("// MilkShape 3D ASCII \r\nFrames: 1\r\n"));
    EXPECT_TRUE(taken("\xEF\xBB\xBF// MilkShape 3D ASCII\n"));
    EXPECT_FALSE(taken("Frames: 30\nMeshes: 0\n"));
    EXPECT_FALSE(taken("\n// MilkShape 3D ASCII\n"));
    EXPECT_FALSE(taken("// MilkShape 3D ASCII export notes\n"));
    EXPECT_FALSE(taken("// MilkShape 3D"));
    EXPECT_FALSE(taken(""));

    // A text the engine's reader would take, but which does not say what it is, is refused
    // and the model stays; so is a headed text with a broken block.
    TempDir dir;
    CModel model;
    const std::string sample = dir.File("sample.txt");
    SaveText(sample, kestrel::test::ms3d_ascii::SampleText());
    ASSERT_EQ(ImportWithPlugIn(model, sample), 1);
    const std::string notes = dir.File("notes.txt");
    SaveText(notes, "Frames: 30\nMeshes: 0\n");
    CModel engine;
    EXPECT_TRUE(engine.ImportMs3dAsciiFile(notes.c_str()));
    EXPECT_EQ(ImportWithPlugIn(model, notes), 0);
    SaveText(notes, "// MilkShape 3D ASCII\nMeshes: 1\n\"M\" 0 0\n1\n");
    EXPECT_EQ(ImportWithPlugIn(model, notes), 0);
    SaveText(notes, "// MilkShape 3D ASCII\nMeshes: 1\n\"M\" 0 0\n1\n0 0 0 0 0 0 -1\n0\n1\n0 0 0 5 0 0 0 1\n");
    EXPECT_EQ(ImportWithPlugIn(model, notes), 0);
    EXPECT_EQ(model.mMeshes.size(), 2u);
}

TEST(Ms3dAsciiImport, ALargeTextOfAnotherKindIsNotReadWhole)
{
    TempDir dir;
    const std::string path = dir.File("log.txt");
    SaveText(path, std::string(8u << 20, 'x'));
    kestrel::test::Library library(KESTREL_SHAPETEXTREADER_MODULE);
    ASSERT_TRUE(library.Loaded());
    kestrel::test::PlugIn plugIn(library);
    const std::u16string name(path.begin(), path.end());
    kestrel::test::ImportRecord record;
    kestrel::test::AllocationProbe probe;
    EXPECT_EQ(plugIn->Process(&record.model, name.c_str()), PLUGIN_RESULT_FAILED);
    EXPECT_LT(probe.Largest(), size_t(1) << 20);
}

TEST(Ms3dAsciiImport, TheHostFindsBothNewImporters)
{
    kestrel::host::CPlugInManager manager;
    ASSERT_GT(manager.Scan(KESTREL_PLUGIN_FOLDER), 0);
    const kestrel::host::FileTypeEntry* md2 = manager.FindFileType("MD2");
    const kestrel::host::FileTypeEntry* txt = manager.FindFileType("TXT");
    ASSERT_NE(md2, nullptr);
    ASSERT_NE(txt, nullptr);
    EXPECT_EQ(md2->description, "Quake II Model");
    EXPECT_EQ(md2->kind, 1);
    EXPECT_EQ(txt->kind, 1);
    EXPECT_EQ(manager.Importers()[md2->importerIndex].name, "MD2 Import");
    EXPECT_EQ(manager.Importers()[txt->importerIndex].name, "MS3D ASCII Import");
    EXPECT_FALSE(md2->small.png.empty());

    // The command line's importer-only scan finds them through their registration tag too.
    kestrel::host::CPlugInManager importers;
    importers.ScanImportersFor(KESTREL_PLUGIN_FOLDER, "model.md2");
    EXPECT_NE(importers.FindFileType("MD2"), nullptr);
    importers.ScanImportersFor(KESTREL_PLUGIN_FOLDER, "model.txt");
    EXPECT_NE(importers.FindFileType("TXT"), nullptr);
}

} // namespace
