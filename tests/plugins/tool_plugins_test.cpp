// The export and tool plug-in modules as a host loads them: information records,
// placeholder registrations, a null model, and a cancelled dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <dlfcn.h>
#include <string>

#include "plugframe/plugin.h"
#include "tool_models.h"

using kestrel::test::ToolRecord;

namespace {

struct Expected {
    const char* module;
    const char* name;
    int32_t type;
    int32_t version[4];
    const char* description;
    const char* extra;
    PlugInResult cancelled;
};

const Expected kPlugIns[] = {
    {KESTREL_MODULE_LITHOWRITER, "Stereo Litography...", PLUGIN_EXPORT, {1, 1, 0, 45},
     "Exports scene to Stereo Litography files (*.STL, *.STLA, *.STLB). Both ASCII and binary format versions "
     "supported.",
     "...", PLUGIN_RESULT_DONE},
    {KESTREL_MODULE_SHAPETEXT, "MS3D ASCII...", PLUGIN_EXPORT, {1, 1, 0, 137},
     "Exports MilkShape 3D models in ASCII format (*.TXT). Full support of MS3D 1.7.7 File Specification, including "
     "skeletal animation and materials.",
     "<KXEXP><EXTNUM:1><T:1 EXT:\"TXT\" INF:\"Text Document\">", PLUGIN_RESULT_DONE},
    {KESTREL_MODULE_TERRAINER, "Landscape Generator...", PLUGIN_TOOL, {2, 1, 0, 120},
     "Generates 3D landscapes using 2D image data (height maps).", "...", PLUGIN_RESULT_DONE},
    {KESTREL_MODULE_SMOOTHER, "Recalculate Normals...", PLUGIN_EDIT, {2, 1, 0, 119},
     "Performs recalculation of model normal vectors and regeneration of smoothing groups.", "...",
     PLUGIN_RESULT_DONE},
    {KESTREL_MODULE_DATALISTER, "Model Data Dump...", PLUGIN_TOOL, {1, 1, 0, 59},
     "Creates a text log file with complete model data information.", "...", PLUGIN_RESULT_DONE},
};

class LoadedPlugIn {
public:
    explicit LoadedPlugIn(const char* path) : library_(dlopen(path, RTLD_NOW | RTLD_LOCAL))
    {
        if (!library_)
            return;
        auto create = reinterpret_cast<PlugInCreateFunction>(dlsym(library_, PLUGIN_CREATE_EXPORT_NAME));
        destroy_ = reinterpret_cast<PlugInDestroyFunction>(dlsym(library_, PLUGIN_DESTROY_EXPORT_NAME));
        if (create && destroy_)
            plugIn = create();
    }
    ~LoadedPlugIn()
    {
        if (plugIn)
            destroy_(plugIn);
        if (library_)
            dlclose(library_);
    }
    CPlugIn* plugIn = nullptr;

private:
    void* library_;
    PlugInDestroyFunction destroy_ = nullptr;
};

TEST(ToolPlugIns, InformationRecordsAndNullModel)
{
    for (const Expected& e : kPlugIns) {
        SCOPED_TRACE(e.module);
        LoadedPlugIn loaded(e.module);
        ASSERT_NE(loaded.plugIn, nullptr);
        PlugInInfo info;
        ASSERT_TRUE(loaded.plugIn->GetInfo(&info));
        EXPECT_STREQ(info.name, e.name);
        EXPECT_EQ(info.type, e.type);
        EXPECT_EQ(info.interfaceId, PLUGIN_INTERFACE_ID);
        EXPECT_EQ(info.interfaceId2, PLUGIN_INTERFACE_ID);
        EXPECT_EQ(info.versionMajor, e.version[0]);
        EXPECT_EQ(info.versionMinor, e.version[1]);
        EXPECT_EQ(info.versionRelease, e.version[2]);
        EXPECT_EQ(info.versionBuild, e.version[3]);
        EXPECT_STREQ(info.company, "Halvard");
        EXPECT_STREQ(info.description, e.description);
        EXPECT_STREQ(info.extra, e.extra);
        EXPECT_STREQ(loaded.plugIn->GetRegistration(), "...");
        EXPECT_EQ(loaded.plugIn->Process(nullptr, nullptr), PLUGIN_RESULT_FAILED);
    }
}

TEST(ToolPlugIns, CancelledDialogKeepsTheModel)
{
    for (const Expected& e : kPlugIns) {
        SCOPED_TRACE(e.module);
        LoadedPlugIn loaded(e.module);
        ASSERT_NE(loaded.plugIn, nullptr);
        ToolRecord record;
        kestrel::test::AddCube(&record.model);
        bool sawDialog = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                sawDialog = true;
                dialog->close();
            }
        });
        closer.start(10);
        EXPECT_EQ(loaded.plugIn->Process(&record.model, nullptr), e.cancelled);
        EXPECT_TRUE(sawDialog);
        EXPECT_EQ(skModelGetFaceCount(&record.model), 12);
    }
}

} // namespace
