#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "nimbus/path.h"

namespace {

template <typename Char, typename Fn>
std::basic_string<Char> Apply(Fn fn, const std::basic_string<Char>& in, bool* result)
{
    Char buffer[2048] = {};
    std::copy(in.begin(), in.end(), buffer);
    *result = fn(buffer);
    return buffer;
}

TEST(Path, NarrowFormsCutFolderNameAndExtension)
{
    bool ok = false;
    EXPECT_EQ(Apply<char>(skfPathToDirectory, "C:\\models/a.ms3d", &ok), "C:\\models/");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Apply<char>(skfPathToFilename, "C:\\models/a.ms3d", &ok), "a.ms3d");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Apply<char>(skfPathToExtension, "a.b.ms3d", &ok), "MS3D");
    EXPECT_TRUE(ok);
    // The extension search does not stop at separators.
    EXPECT_EQ(Apply<char>(skfPathToExtension, "a.dir\\file", &ok), "DIR\\FILE");
}

TEST(Path, NamesWithoutSeparatorOrDot)
{
    bool ok = true;
    EXPECT_EQ(Apply<char>(skfPathToFilename, "plain", &ok), "plain");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Apply<char>(skfPathToDirectory, "plain", &ok), "");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Apply<char>(skfPathToExtension, "plain", &ok), "");
    EXPECT_FALSE(ok);
}

TEST(Path, WideFormsHandleNonAsciiNames)
{
    bool ok = false;
    EXPECT_EQ(Apply<char16_t>(skfWPathToFilename, u"/home/åsa/модель.Ms3d", &ok), u"модель.Ms3d");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Apply<char16_t>(skfWPathToExtension, u"/home/åsa/модель.Ms3d", &ok), u"MS3D");
    EXPECT_EQ(Apply<char16_t>(skfWPathToDirectory, u"/home/åsa/x", &ok), u"/home/åsa/");
}

TEST(Path, OverlongStringsAreLeftUnchanged)
{
    bool ok = true;
    const std::string narrow511(510, 'a');
    EXPECT_EQ(Apply<char>(skfPathToFilename, narrow511 + "/", &ok), ""); // 511 chars + terminator fits
    EXPECT_TRUE(ok);
    const std::string narrow512 = std::string(511, 'a') + "/";
    EXPECT_EQ(Apply<char>(skfPathToDirectory, narrow512 + ".x", &ok), narrow512 + ".x");
    EXPECT_FALSE(ok);
    const std::u16string wide = std::u16string(1024, u'a') + u".b";
    EXPECT_EQ(Apply<char16_t>(skfWPathToExtension, wide, &ok), wide);
    EXPECT_FALSE(ok);
}

} // namespace
