// Loading the test-only plug-ins the way a host does: exports, information record,
// Process results and the icon export.

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <stdexcept>

#include "known_model.h"
#include "plugframe/plugin.h"

namespace {

class PlugInLibrary {
public:
    explicit PlugInLibrary(const char* path) : handle_(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}
    ~PlugInLibrary()
    {
        if (handle_)
            dlclose(handle_);
    }
    PlugInLibrary(const PlugInLibrary&) = delete;
    PlugInLibrary& operator=(const PlugInLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    template <class F> F Symbol(const char* name) const { return reinterpret_cast<F>(dlsym(handle_, name)); }
    PlugInCreateFunction Create() const { return Symbol<PlugInCreateFunction>(PLUGIN_CREATE_EXPORT_NAME); }
    PlugInDestroyFunction Destroy() const { return Symbol<PlugInDestroyFunction>(PLUGIN_DESTROY_EXPORT_NAME); }

private:
    void* handle_;
};

// A plug-in object created and destroyed through a library's exports.
class PlugInObject {
public:
    explicit PlugInObject(const PlugInLibrary& library) : destroy_(library.Destroy()), object_(library.Create()()) {}
    ~PlugInObject() { destroy_(object_); }
    CPlugIn* operator->() const { return object_; }
    CPlugIn* get() const { return object_; }

private:
    PlugInDestroyFunction destroy_;
    CPlugIn* object_;
};

class Record {
public:
    Record() { skModelInit(&model); }
    ~Record() { skModelNullify(&model); }
    skModel model;
};

uint32_t PngWidth(const unsigned char* png)
{
    return uint32_t(png[16]) << 24 | uint32_t(png[17]) << 16 | uint32_t(png[18]) << 8 | png[19];
}

TEST(PlugInLoader, ImporterFillsTheKnownModel)
{
    PlugInLibrary library(KESTREL_FIXTURE_PLUGIN_IMPORTER);
    ASSERT_TRUE(library.Loaded()) << dlerror();
    ASSERT_NE(library.Create(), nullptr);
    ASSERT_NE(library.Destroy(), nullptr);
    PlugInObject plugIn(library);
    ASSERT_NE(plugIn.get(), nullptr);

    PlugInInfo info;
    ASSERT_TRUE(plugIn->GetInfo(&info));
    EXPECT_EQ(info.interfaceId, PLUGIN_INTERFACE_ID);
    EXPECT_EQ(info.interfaceId2, PLUGIN_INTERFACE_ID);
    EXPECT_EQ(info.type, PLUGIN_IMPORT);
    EXPECT_STREQ(plugIn->GetRegistration(), "<KXIMP><EXTNUM:1><T:1 EXT:\"KNOWN\" INF:\"Known Test Model\" ICO:2007>");

    EXPECT_EQ(plugIn->Process(nullptr, u"model.known"), PLUGIN_RESULT_FAILED);
    Record record;
    ASSERT_EQ(plugIn->Process(&record.model, u"model.known"), PLUGIN_RESULT_CHANGED);
    EXPECT_EQ(skModelGetGroupCount(&record.model), 1);
    EXPECT_STREQ(skGroupGetName(skModelGetGroup(&record.model, 0)), kestrel::test::kKnownGroupName);
    EXPECT_EQ(skModelGetFaceCount(&record.model), 2);
    EXPECT_EQ(skModelGetJointCount(&record.model), 2);
    EXPECT_EQ(skModelGetLoopCount(&record.model), 1);
    EXPECT_EQ(skVertexGetWeightCount(skGroupGetVertex(skModelGetGroup(&record.model, 0), 3)), 2);
}

TEST(PlugInLoader, ToolReturnsTwoAndLeavesTheRecordAlone)
{
    PlugInLibrary library(KESTREL_FIXTURE_PLUGIN_TOOL);
    ASSERT_TRUE(library.Loaded()) << dlerror();
    PlugInObject plugIn(library);
    PlugInInfo info;
    ASSERT_TRUE(plugIn->GetInfo(&info));
    EXPECT_EQ(info.type, PLUGIN_TOOL);
    Record record;
    ASSERT_TRUE(kestrel::test::FillKnownModel(&record.model));
    EXPECT_EQ(plugIn->Process(&record.model, nullptr), PLUGIN_RESULT_DONE);
    EXPECT_EQ(skModelGetVertexCount(&record.model), 4);
    EXPECT_EQ(library.Symbol<PlugInIconFunction>(PLUGIN_ICON_EXPORT_NAME), nullptr) << "icons are optional";
    library.Destroy()(nullptr);
}

TEST(PlugInLoader, RejectedLibrariesShowWhyAHostSkipsThem)
{
    PlugInLibrary noDestroy(KESTREL_FIXTURE_PLUGIN_NO_DESTROY);
    ASSERT_TRUE(noDestroy.Loaded()) << dlerror();
    EXPECT_NE(noDestroy.Create(), nullptr);
    EXPECT_EQ(noDestroy.Destroy(), nullptr);

    PlugInLibrary foreign(KESTREL_FIXTURE_PLUGIN_WRONG_INTERFACE);
    ASSERT_TRUE(foreign.Loaded()) << dlerror();
    PlugInObject plugIn(foreign);
    PlugInInfo info;
    ASSERT_TRUE(plugIn->GetInfo(&info));
    EXPECT_NE(info.interfaceId, PLUGIN_INTERFACE_ID);
}

TEST(PlugInLoader, ExceptionsFromProcessReachTheHost)
{
    PlugInLibrary library(KESTREL_FIXTURE_PLUGIN_THROWING);
    ASSERT_TRUE(library.Loaded()) << dlerror();
    PlugInObject plugIn(library);
    Record record;
    EXPECT_THROW(plugIn->Process(&record.model, nullptr), std::runtime_error);
}

TEST(PlugInLoader, IconExportGivesPngAt16And32)
{
    PlugInLibrary library(KESTREL_FIXTURE_PLUGIN_IMPORTER);
    ASSERT_TRUE(library.Loaded()) << dlerror();
    const auto icon = library.Symbol<PlugInIconFunction>(PLUGIN_ICON_EXPORT_NAME);
    ASSERT_NE(icon, nullptr);
    for (int32_t size : {16, 32}) {
        const unsigned char* png = nullptr;
        const uint32_t bytes = icon(2007, size, &png);
        ASSERT_GT(bytes, 24u);
        ASSERT_NE(png, nullptr);
        EXPECT_EQ(std::memcmp(png, "\x89PNG\r\n\x1a\n", 8), 0);
        EXPECT_EQ(PngWidth(png), uint32_t(size));
    }
    const unsigned char* png = reinterpret_cast<const unsigned char*>("stale");
    EXPECT_EQ(icon(2007, 24, &png), 0u);
    EXPECT_EQ(png, nullptr);
    EXPECT_EQ(icon(2009, 16, &png), 0u);
    EXPECT_EQ(icon(2007, 16, nullptr), icon(2007, 16, &png)) << "a null out-pointer is allowed";
}

} // namespace
