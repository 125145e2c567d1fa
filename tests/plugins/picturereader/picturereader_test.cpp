#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>

#include "plugframe/plugin.h"

namespace {

// Loads the module the way a host does.
class PictureReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        handle_ = dlopen(KESTREL_PICTUREREADER_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        create_ = reinterpret_cast<PlugInCreateFunction>(dlsym(handle_, PLUGIN_CREATE_EXPORT_NAME));
        destroy_ = reinterpret_cast<PlugInDestroyFunction>(dlsym(handle_, PLUGIN_DESTROY_EXPORT_NAME));
        icon_ = reinterpret_cast<PlugInIconFunction>(dlsym(handle_, PLUGIN_ICON_EXPORT_NAME));
        ASSERT_TRUE(create_ && destroy_ && icon_);
        plugIn_ = create_();
        ASSERT_NE(plugIn_, nullptr);
    }
    void TearDown() override
    {
        if (plugIn_)
            destroy_(plugIn_);
        if (handle_)
            dlclose(handle_);
    }

    void* handle_ = nullptr;
    PlugInCreateFunction create_ = nullptr;
    PlugInDestroyFunction destroy_ = nullptr;
    PlugInIconFunction icon_ = nullptr;
    CPlugIn* plugIn_ = nullptr;
};

TEST_F(PictureReader, DescribesItselfAndRegistersElevenImageTypes)
{
    PlugInInfo info{};
    ASSERT_TRUE(plugIn_->GetInfo(&info));
    EXPECT_STREQ(info.name, "Image Import");
    EXPECT_EQ(info.type, PLUGIN_IMPORT);
    EXPECT_EQ(info.interfaceId, PLUGIN_INTERFACE_ID);
    EXPECT_EQ(info.versionMajor, 1);
    EXPECT_EQ(info.versionMinor, 1);
    EXPECT_EQ(info.versionBuild, 21);
    EXPECT_STREQ(info.company, "Halvard");
    EXPECT_STREQ(info.extra, "");

    const std::string reg = plugIn_->GetRegistration();
    EXPECT_EQ(reg.rfind("<KXIMP><EXTNUM:11>", 0), 0u);
    size_t tags = 0;
    for (size_t at = reg.find("<T:2 "); at != std::string::npos; at = reg.find("<T:2 ", at + 1))
        ++tags;
    EXPECT_EQ(tags, 11u);
    EXPECT_NE(reg.find("EXT:\"DIB\" INF:\"Windows Bitmap Graphic\" ICO:2009"), std::string::npos);
    EXPECT_EQ(reg.find("TIF"), std::string::npos);
}

TEST_F(PictureReader, CarriesEveryFamilyIconAtBothSizes)
{
    for (int32_t id = 2009; id <= 2016; ++id)
        for (int32_t size : {16, 32}) {
            const unsigned char* png = nullptr;
            const uint32_t n = icon_(id, size, &png);
            ASSERT_GT(n, 8u) << id << " " << size;
            EXPECT_EQ(0, std::memcmp(png, "\x89PNG", 4));
        }
    const unsigned char* none = nullptr;
    EXPECT_EQ(icon_(2007, 16, &none), 0u);
    EXPECT_EQ(none, nullptr);
}

TEST_F(PictureReader, ProcessReadsNothing)
{
    skModel* model = static_cast<skModel*>(std::calloc(1, SK_MODEL_RECORD_SIZE));
    skModelInit(model);
    EXPECT_EQ(plugIn_->Process(model, u"/no/such/image.png"), PLUGIN_RESULT_CHANGED);
    EXPECT_EQ(skModelGetGroupCount(model), 0);
    EXPECT_EQ(plugIn_->Process(model, nullptr), PLUGIN_RESULT_FAILED);
    EXPECT_EQ(plugIn_->Process(nullptr, u"a.png"), PLUGIN_RESULT_FAILED);
    skModelNullify(model);
    std::free(model);
}

} // namespace
