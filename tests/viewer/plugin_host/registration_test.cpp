#include <gtest/gtest.h>

#include "registration.h"

namespace {

using kestrel::host::DeclaredFileType;
using kestrel::host::ParseRegistration;

TEST(Registration, ReadsEveryDeclaredType)
{
    std::vector<DeclaredFileType> t;
    ASSERT_TRUE(ParseRegistration("<KXIMP><EXTNUM:2><T:1 EXT:\"STL\" INF:\"Stereo Litography\" ICO:2007>"
                                  "<T:2   EXT:\"PNG\"  INF:\"Portable Network Graphics\" ICO:2013> trailing <junk>",
                                  t));
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].kind, 1);
    EXPECT_EQ(t[0].extension, "STL");
    EXPECT_EQ(t[0].description, "Stereo Litography");
    EXPECT_EQ(t[0].icon, 2007);
    EXPECT_EQ(t[1].kind, 2);
    EXPECT_EQ(t[1].description, "Portable Network Graphics");
}

TEST(Registration, ZeroTypesIsAcceptedWithNone)
{
    std::vector<DeclaredFileType> t = {DeclaredFileType{}};
    EXPECT_TRUE(ParseRegistration("<KXIMP><EXTNUM:0>", t));
    EXPECT_TRUE(t.empty());
    EXPECT_TRUE(ParseRegistration("<KXIMP><EXTNUM:-3>", t));
}

TEST(Registration, Rejections)
{
    std::vector<DeclaredFileType> t;
    for (const char* bad : {
             "", "no tokens at all", "<KXEXP><EXTNUM:1><T:1 EXT:\"A\" INF:\"B\" ICO:1>",
             "<KXIMP>", "<KXIMP><EXTNUM:x>", "<KXIMP>>EXTNUM:1<",
             // the second type is malformed: the first is not registered either
             "<KXIMP><EXTNUM:2><T:1 EXT:\"A\" INF:\"B\" ICO:1><T:1 EXT:\"\" INF:\"B\" ICO:1>",
             "<KXIMP><EXTNUM:2><T:1 EXT:\"A\" INF:\"B\" ICO:1>",
             "<KXIMP><EXTNUM:1><T:1 EXT:\"A\" INF:\"B\">",
         }) {
        EXPECT_FALSE(ParseRegistration(bad, t)) << bad;
        EXPECT_TRUE(t.empty()) << bad;
    }
    EXPECT_FALSE(ParseRegistration(nullptr, t));
}

TEST(Registration, TextsLongerThanTheirEntriesRejectTheType)
{
    std::vector<DeclaredFileType> t;
    const std::string ext31(31, 'E'), ext32(32, 'E'), inf63(63, 'd'), inf64(64, 'd');
    const auto reg = [](const std::string& ext, const std::string& inf) {
        return "<KXIMP><EXTNUM:1><T:1 EXT:\"" + ext + "\" INF:\"" + inf + "\" ICO:5>";
    };
    EXPECT_TRUE(ParseRegistration(reg(ext31, inf63).c_str(), t));
    EXPECT_FALSE(ParseRegistration(reg(ext32, "x").c_str(), t));
    EXPECT_FALSE(ParseRegistration(reg("X", inf64).c_str(), t));
}

} // namespace
