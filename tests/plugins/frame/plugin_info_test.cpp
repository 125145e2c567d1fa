// The information record's binary layout and the helper that fills it.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "plugframe/plugin_info.h"

namespace {

TEST(PlugInInfoRecord, FieldsLieBackToBackIn860Bytes)
{
    EXPECT_EQ(sizeof(PlugInInfo), 860u);
    EXPECT_EQ(offsetof(PlugInInfo, name), 0u);
    EXPECT_EQ(offsetof(PlugInInfo, type), 64u);
    EXPECT_EQ(offsetof(PlugInInfo, interfaceId), 68u);
    EXPECT_EQ(offsetof(PlugInInfo, interfaceId2), 72u);
    EXPECT_EQ(offsetof(PlugInInfo, versionMajor), 76u);
    EXPECT_EQ(offsetof(PlugInInfo, versionBuild), 88u);
    EXPECT_EQ(offsetof(PlugInInfo, author), 92u);
    EXPECT_EQ(offsetof(PlugInInfo, company), 220u);
    EXPECT_EQ(offsetof(PlugInInfo, description), 348u);
    EXPECT_EQ(offsetof(PlugInInfo, extra), 604u);
    EXPECT_EQ(PLUGIN_INTERFACE_ID, 826950);
    EXPECT_EQ(PLUGIN_INTERFACE_ID, 0xC9E46);
}

TEST(PlugInInfoRecord, FillSetsEveryFieldAndCutsLongTexts)
{
    PlugInInfo info;
    std::memset(&info, 0x7F, sizeof(info));
    const std::string longDescription(400, 'd');
    ASSERT_TRUE(FillPlugInInfo(&info, {"Stereo Litography...", PLUGIN_EXPORT, {1, 1, 0, 45}, "Author",
                                       longDescription.c_str(), "..."}));
    EXPECT_STREQ(info.name, "Stereo Litography...");
    EXPECT_EQ(info.type, PLUGIN_EXPORT);
    EXPECT_EQ(info.interfaceId, PLUGIN_INTERFACE_ID);
    EXPECT_EQ(info.interfaceId2, PLUGIN_INTERFACE_ID);
    EXPECT_EQ(info.versionMajor, 1);
    EXPECT_EQ(info.versionMinor, 1);
    EXPECT_EQ(info.versionRelease, 0);
    EXPECT_EQ(info.versionBuild, 45);
    EXPECT_STREQ(info.author, "Author");
    EXPECT_STREQ(info.company, "Halvard");
    EXPECT_EQ(std::strlen(info.description), 255u);
    EXPECT_STREQ(info.extra, "...");
    EXPECT_EQ(info.name[63], '\0') << "unused bytes are zeroed";
}

TEST(PlugInInfoRecord, NullRecordOrTextsAreHandled)
{
    EXPECT_FALSE(FillPlugInInfo(nullptr, {"x", PLUGIN_TOOL, {1, 0, 0, 0}, nullptr, nullptr, nullptr}));
    PlugInInfo info;
    ASSERT_TRUE(FillPlugInInfo(&info, {"x", PLUGIN_TOOL, {1, 0, 0, 0}, nullptr, nullptr, nullptr}));
    EXPECT_STREQ(info.author, "");
    EXPECT_STREQ(info.extra, "");
}

} // namespace
