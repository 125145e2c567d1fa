#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "console_fixture.h"
#include "nimbus/font.h"
#include "temp_dir.h"

using kestrel::test::ConsoleGlTest;

namespace {

class BitmapFont : public ConsoleGlTest {
protected:
    // Prints at (x, y) in window pixels and returns the raster x afterwards.
    float PrintAt(CWSKFont& font, int x, int y, const char* text)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kWidth, 0, kHeight, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor3f(1, 1, 1);
        glRasterPos2i(x, y);
        font.Print("%s", text);
        GLfloat position[4] = {};
        glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        return position[0];
    }

    static bool Built(const CWSKFont& font)
    {
        return font.mListBase != 0 && glIsList(font.mListBase) && glIsList(font.mListBase + CWSKFont::kCharCount - 1);
    }
};

TEST_F(BitmapFont, WithoutADeviceContextNothingIsBuiltOrDrawn)
{
    CWSKFont font;
    EXPECT_FALSE(font.Build("Arial", 11, nullptr));
    EXPECT_EQ(font.mListBase, 0u);
    const std::vector<uint8_t> before = gl_->ReadPixels();
    EXPECT_EQ(PrintAt(font, 10, 10, "nothing %d"), 10.0f);
    EXPECT_TRUE(gl_->ReadPixels() == before);
    EXPECT_FALSE(font.Build(nullptr, 11, skfCurrentDeviceContext()));
    EXPECT_FALSE(font.Build("Arial", 0, skfCurrentDeviceContext()));
    EXPECT_EQ(font.mListBase, 0u);
}

TEST_F(BitmapFont, BuildsNinetySixListsOfOneBitGlyphs)
{
    ASSERT_NE(skfCurrentDeviceContext(), nullptr);
    CWSKFont font;
    ASSERT_TRUE(font.Build("Arial", 11, skfCurrentDeviceContext()));
    EXPECT_TRUE(Built(font));
    const float end = PrintAt(font, 10, 100, "Halvard cmd>");
    EXPECT_GT(end, 10.0f + 12 * 4);
    EXPECT_LT(end, 10.0f + 12 * 10);
    // White on black without antialiasing: every pixel is one or the other.
    int lit = 0, between = 0;
    const std::vector<uint8_t> all = gl_->ReadPixels();
    for (size_t i = 0; i < all.size(); i += 4) {
        lit += all[i] == 255;
        between += all[i] != 0 && all[i] != 255;
    }
    EXPECT_GT(lit, 60);
    EXPECT_EQ(between, 0);
}

TEST_F(BitmapFont, PrintFormatsIntoTwoHundredFiftySixCharactersAndRestoresTheListBase)
{
    CWSKFont font;
    ASSERT_TRUE(font.Build("Arial", 11, skfCurrentDeviceContext()));
    const float one = PrintAt(font, 0, 10, "i");
    ASSERT_GT(one, 0.0f);
    glListBase(3);
    glRasterPos2i(0, 10);
    font.Print("%c%s", 'i', "i");
    GLfloat position[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    EXPECT_FLOAT_EQ(position[0], 2 * one);
    GLint base = 0;
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 3);
    const std::string longText(400, 'i');
    EXPECT_FLOAT_EQ(PrintAt(font, 0, 10, longText.c_str()), float(CWSKFont::kTextSize - 1) * one);
}

TEST_F(BitmapFont, CharactersWithoutListsShowAsQuestionMarks)
{
    CWSKFont font;
    ASSERT_TRUE(font.Build("Arial", 11, skfCurrentDeviceContext()));
    const float question = PrintAt(font, 0, 10, "?");
    EXPECT_FLOAT_EQ(PrintAt(font, 0, 10, "\x01"), question);
    EXPECT_FLOAT_EQ(PrintAt(font, 0, 10, "\xe9\t"), 2 * question);
}

TEST_F(BitmapFont, CopiesShareTheListsUntilTheLastGoes)
{
    auto* font = new CWSKFont;
    ASSERT_TRUE(font->Build("Arial", 11, skfCurrentDeviceContext()));
    const GLuint base = font->mListBase;
    {
        CWSKFont copy(*font);
        EXPECT_EQ(copy.mListBase, base);
    }
    EXPECT_TRUE(glIsList(base));
    CWSKFont assigned;
    assigned = *font;
    EXPECT_EQ(assigned.mListBase, base);
    delete font;
    EXPECT_TRUE(Built(assigned));
    EXPECT_GT(PrintAt(assigned, 0, 10, "still"), 0.0f);
    assigned = CWSKFont();
    EXPECT_EQ(assigned.mListBase, 0u);
    EXPECT_FALSE(glIsList(base));
}

TEST_F(BitmapFont, ABuildReplacesTheListsOfTheLastOne)
{
    CWSKFont font;
    ASSERT_TRUE(font.Build("Arial", 11, skfCurrentDeviceContext()));
    const GLuint first = font.mListBase;
    const float small = PrintAt(font, 0, 10, "MMMM");
    ASSERT_TRUE(font.Build("Arial", 22, skfCurrentDeviceContext()));
    EXPECT_NE(font.mListBase, first);
    EXPECT_FALSE(glIsList(first));
    EXPECT_GT(PrintAt(font, 0, 10, "MMMM"), 1.8f * small);
    // A failed build keeps the font it had.
    const GLuint second = font.mListBase;
    EXPECT_FALSE(font.Build("Arial", 11, nullptr));
    EXPECT_EQ(font.mListBase, second);
    EXPECT_TRUE(Built(font));
}

TEST_F(BitmapFont, AFaceThatIsNotInstalledFallsBackToASubstitute)
{
    CWSKFont font;
    ASSERT_TRUE(font.Build("No Such Face Anywhere", 11, skfCurrentDeviceContext()));
    EXPECT_GT(PrintAt(font, 0, 10, "text"), 0.0f);
}

// Runs in a process of its own, so that fontconfig starts there with no fonts at all.
TEST_F(BitmapFont, WithoutAnyFontsBuildFails)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    kestrel::test::TempDir dir;
    const std::string config = dir.File("fonts.conf");
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>"
                             "<cachedir>"
                          << dir.File("cache") << "</cachedir></fontconfig>\n";
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", config.c_str(), 1);
            CWSKFont font;
            const bool built = font.Build("Arial", 11, skfCurrentDeviceContext());
            std::fprintf(stderr, "built=%d base=%u\n", int(built), font.mListBase);
            std::filesystem::remove_all(dir.Path());
            std::_Exit(!built && font.mListBase == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "built=0 base=0");
}

} // namespace
