// The import plug-ins, loaded as the host loads them, against files that try to stall them or
// make them swell: pipes, names that are not UTF-8, and records that cost far more than they
// take in the file.

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

#include "allocation_probe.h"
#include "formats/stl_writer.h"
#include "formats/studio3ds_writer.h"
#include "import_record.h"
#include "plugin_library.h"
#include "temp_dir.h"
#include "util/utf16.h"

namespace {

using kestrel::test::AllocationBudget;
using kestrel::test::AllocationProbe;
using kestrel::test::ImportRecord;
using kestrel::test::Library;
using kestrel::test::PlugIn;
using kestrel::test::TempDir;

const char* const kImporters[] = {KESTREL_IMPORTER_LITHOREADER, KESTREL_IMPORTER_POLYREADER,
                                  KESTREL_IMPORTER_MOTIONREADER, KESTREL_IMPORTER_STUDIOREADER};

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The host hands importers UTF-16 names made by the engine's own conversion.
std::u16string HostName(const std::string& path) { return nimbus::Utf8ToUtf16(path.c_str()); }

PlugInResult Process(const char* module, const std::string& path)
{
    Library library(module);
    EXPECT_TRUE(library.Loaded()) << dlerror();
    if (!library.Loaded())
        return PLUGIN_RESULT_EXCEPTION;
    PlugIn plugIn(library);
    ImportRecord r;
    return plugIn->Process(&r.model, HostName(path).c_str());
}

// A box and then `count` material chunks holding nothing: 6 bytes each in the file.
std::vector<uint8_t> BoxWithEmptyMaterials(int count)
{
    namespace fx = kestrel::test::studio3ds;
    fx::ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x0002);
    w.U32(3);
    w.End();
    w.Begin(0x3D3D);
    for (int i = 0; i < count; ++i) {
        w.Begin(0xAFFF);
        w.End();
    }
    fx::WriteObject(w, fx::Cube(true));
    w.End();
    w.End();
    return w.Bytes();
}

} // namespace

// Opening a pipe for reading waits for a writer; an importer must refuse it at once instead.
TEST(HostileImports, PipesAreRefusedWithoutWaiting)
{
    TempDir dir;
    const std::string fifo = dir.File("model.stl");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const char* module : kImporters) {
        SCOPED_TRACE(module);
        EXPECT_EQ(Process(module, fifo), PLUGIN_RESULT_FAILED);
    }
}

TEST(HostileImports, AFileWhoseNameIsNotUtf8Imports)
{
    TempDir dir;
    const std::string path = dir.File("w\xfcrfel\xff.stl"); // Latin-1, then a byte never valid
    WriteFile(path, kestrel::test::stl::WriteBinary("Cube", kestrel::test::stl::Cube()));
    EXPECT_EQ(Process(KESTREL_IMPORTER_LITHOREADER, path), PLUGIN_RESULT_CHANGED);
}

// Each bare material chunk once cost kilobytes in the exchange record.
TEST(HostileImports, EmptyStudioMaterialsCostInProportionToTheFile)
{
    TempDir dir;
    const std::string path = dir.File("materials.3ds");
    const std::vector<uint8_t> file = BoxWithEmptyMaterials(100000);
    WriteFile(path, file);
    Library library(KESTREL_IMPORTER_STUDIOREADER);
    ASSERT_TRUE(library.Loaded()) << dlerror();
    PlugIn plugIn(library);
    size_t peak = 0;
    {
        ImportRecord r;
        AllocationProbe probe;
        ASSERT_EQ(plugIn->Process(&r.model, HostName(path).c_str()), PLUGIN_RESULT_CHANGED);
        EXPECT_EQ(skModelGetMaterialCount(&r.model), 100000);
        EXPECT_STREQ(skMaterialGetTextureDiffuse(skModelGetMaterial(&r.model, 0)), "");
        peak = probe.Peak();
    }
    EXPECT_LT(peak, AllocationBudget(file.size()));
}
