#include <gtest/gtest.h>

#include <GL/gl.h>
#include <algorithm>
#include <list>
#include <string>
#include <vector>

#include "console_fixture.h"
#include "nimbus/console.h"
#include "nimbus/timer.h"

using kestrel::test::ConsoleGlTest;

namespace {

TEST(ConsoleHistory, StartsWithTheTitleAndVersionAndKeepsTwentyLines)
{
    CWSKConsole console;
    EXPECT_EQ(console.mLines, (std::list<std::string>{"Halvard System Console", "v.0.1"}));
    EXPECT_FALSE(console.IsVisible());
    EXPECT_TRUE(console.IsActive());
    EXPECT_EQ(console.mCurrentHeight, 0);
    EXPECT_EQ(console.mFullHeight, 326);
    EXPECT_EQ(console.mFont.mListBase, 0u);

    for (int i = 0; i < 18; ++i)
        console.Add("line %d", i);
    EXPECT_EQ(console.mLines.size(), 20u);
    EXPECT_EQ(console.mLines.front(), "Halvard System Console");
    console.Add("%s and %d", "last", 19);
    EXPECT_EQ(console.mLines.size(), 20u);
    EXPECT_EQ(console.mLines.front(), "v.0.1");
    EXPECT_EQ(console.mLines.back(), "last and 19");
}

TEST(ConsoleHistory, LongLinesAreCutToTheLineBuffer)
{
    CWSKConsole console;
    console.Add("%s", std::string(1000, 'x').c_str());
    EXPECT_EQ(console.mLines.back(), std::string(CWSKConsole::kLineSize - 1, 'x'));
    console.Add(nullptr);
    EXPECT_EQ(console.mLines.size(), 3u);
}

TEST(ConsoleHistory, FlagsAreSetAndRead)
{
    CWSKConsole console;
    console.Visible(true);
    console.Active(false);
    EXPECT_TRUE(console.IsVisible());
    EXPECT_FALSE(console.IsActive());
}

class ConsoleDrawing : public ConsoleGlTest {
protected:
    // Shows the console and lets time run until it is down; the cursor ends switched off.
    void ShowFully(CWSKConsole& console)
    {
        console.Visible(true);
        for (int i = 0; i < 20 && console.mCurrentHeight < console.mFullHeight; ++i) {
            console.Render();
            CTimer::AdvanceManualClock(0.5);
        }
        ASSERT_EQ(console.mCurrentHeight, console.mFullHeight);
        console.mCursorOn = false;
    }

    // A frame of the fully shown console over a clear background.
    void Frame(CWSKConsole& console, float r, float g, float b)
    {
        Clear(r, g, b);
        console.Render();
    }
};

TEST_F(ConsoleDrawing, ANeverShownConsoleLeavesThePictureAlone)
{
    Clear(0.2f, 0.4f, 0.6f);
    const std::vector<uint8_t> before = gl_->ReadPixels();
    CWSKConsole console;
    ASSERT_TRUE(console.SetupFont(skfCurrentDeviceContext()));
    for (int i = 0; i < 5; ++i) {
        console.Render();
        CTimer::AdvanceManualClock(0.7);
    }
    EXPECT_EQ(console.mCurrentHeight, 0);
    EXPECT_TRUE(gl_->ReadPixels() == before);
}

TEST_F(ConsoleDrawing, ShowingSlidesDownFasterAndFaster)
{
    CWSKConsole console;
    console.Visible(true);
    std::vector<int> heights;
    for (int i = 0; i < 5; ++i) {
        console.Render();
        heights.push_back(console.mCurrentHeight);
        CTimer::AdvanceManualClock(i < 3 ? 0.5 : 0.6);
    }
    // Each frame adds the height times a third of the seconds since the slide began.
    EXPECT_EQ(heights, (std::vector<int>{1, 55, 163, 326, 326}));
}

TEST_F(ConsoleDrawing, ThePanelCoversOnlyTheTopRowsOfTheSlide)
{
    CWSKConsole console;
    console.Visible(true);
    console.Render();
    CTimer::AdvanceManualClock(0.5);
    Clear(0, 0, 1);
    console.Render();
    ASSERT_EQ(console.mCurrentHeight, 55);
    EXPECT_NEAR(Red(gl_->PixelAt(100, 30)), 152, 2);   // panel
    EXPECT_NEAR(Blue(gl_->PixelAt(100, 30)), 190, 2);  // over the blue background
    EXPECT_EQ(Red(gl_->PixelAt(100, 54)), 0);          // bottom edge
    EXPECT_EQ(gl_->PixelAt(100, 55), kestrel::test::Rgba(0, 0, 255)); // the scene below
}

TEST_F(ConsoleDrawing, HidingStartsOnePixelBelowFullHeightAndSlidesUpToNothing)
{
    CWSKConsole console;
    ShowFully(console);
    console.Visible(false);
    console.Render();
    EXPECT_EQ(console.mCurrentHeight, 325);
    CTimer::AdvanceManualClock(0.3);
    console.Render();
    EXPECT_EQ(console.mCurrentHeight, 325 - 32);
    CTimer::AdvanceManualClock(1.5);
    console.Render();
    EXPECT_EQ(console.mCurrentHeight, 293 - 195);
    CTimer::AdvanceManualClock(0.3);
    Clear(0.2f, 0.4f, 0.6f);
    const std::vector<uint8_t> before = gl_->ReadPixels();
    console.Render();
    EXPECT_EQ(console.mCurrentHeight, 0);
    EXPECT_TRUE(gl_->ReadPixels() == before);
}

TEST_F(ConsoleDrawing, ThePanelIsTranslucentGrey)
{
    CWSKConsole console;
    ShowFully(console);
    const int H = console.mFullHeight;
    // 0.7 grey at alpha 0.85 (active) or 0.35: over black and over white.
    Frame(console, 0, 0, 0);
    EXPECT_NEAR(Red(PanelPixel(110, 200, H)), 152, 2);
    EXPECT_NEAR(Green(PanelPixel(110, 200, H)), 152, 2);
    Frame(console, 1, 1, 1);
    EXPECT_NEAR(Red(PanelPixel(110, 200, H)), 190, 2);
    console.Active(false);
    Frame(console, 0, 0, 0);
    EXPECT_NEAR(Red(PanelPixel(110, 200, H)), 62, 2);
    Frame(console, 1, 1, 1);
    EXPECT_NEAR(Blue(PanelPixel(110, 200, H)), 228, 2);
}

TEST_F(ConsoleDrawing, BorderLinesSitAtTheEdgesAndAboveThePrompt)
{
    CWSKConsole console;
    ShowFully(console);
    const int H = console.mFullHeight;
    Frame(console, 0, 0, 0);
    const auto red = [&](int x, int y) { return int(Red(PanelPixel(x, y, H))); };
    // Two pixels wide around x = 1, x = w - 1, y = 1 and y = 20.
    EXPECT_EQ(red(0, 200), 0);
    EXPECT_EQ(red(1, 200), 0);
    EXPECT_NEAR(red(2, 200), 152, 2);
    EXPECT_EQ(red(kWidth - 1, 200), 0);
    EXPECT_EQ(red(kWidth - 2, 200), 0);
    EXPECT_NEAR(red(kWidth - 3, 200), 152, 2);
    EXPECT_EQ(red(110, 0), 0);
    EXPECT_EQ(red(110, 1), 0);
    EXPECT_NEAR(red(110, 2), 152, 2);
    EXPECT_NEAR(red(110, 18), 152, 2);
    EXPECT_EQ(red(110, 19), 0);
    EXPECT_EQ(red(110, 20), 0);
    EXPECT_NEAR(red(110, 21), 152, 2);
    // Faded: black at alpha 0.45 over the faded panel.
    console.Active(false);
    Frame(console, 0, 0, 0);
    EXPECT_NEAR(red(0, 200), 34, 2);
    EXPECT_NEAR(red(110, 20), 34, 2);
    EXPECT_NEAR(red(110, 30 + 100), 62, 2);
}

TEST_F(ConsoleDrawing, ThePromptIsDrawnAtEightSeven)
{
    CWSKConsole console;
    ShowFully(console);
    const int H = console.mFullHeight;
    Frame(console, 0, 0, 0);
    EXPECT_EQ(DarkPixels(8, 36, 7, 17, H), 0) << "no font, no text";

    ASSERT_TRUE(console.SetupFont(skfCurrentDeviceContext()));
    Frame(console, 0, 0, 0);
    EXPECT_GT(DarkPixels(8, 36, 7, 17, H), 30);
    EXPECT_EQ(DarkPixels(2, 8, 2, 19, H), 0);   // nothing left of the raster position
    EXPECT_EQ(DarkPixels(2, 36, 2, 7, H), 0);   // nor under the baseline
    EXPECT_EQ(DarkPixels(2, 36, 17, 19, H), 0); // nor above the letters
}

TEST_F(ConsoleDrawing, HistoryLinesRiseFifteenPixelsAPieceFromAboveTheSeparator)
{
    CWSKConsole console;
    ASSERT_TRUE(console.SetupFont(skfCurrentDeviceContext()));
    console.mLines.clear();
    console.Add("Mm");
    ShowFully(console);
    const int H = console.mFullHeight;
    Frame(console, 0, 0, 0);
    EXPECT_GT(DarkPixels(8, 40, 30, 39, H), 20);
    EXPECT_EQ(DarkPixels(2, 200, 21, 30, H), 0);
    EXPECT_EQ(DarkPixels(2, 200, 40, 320, H), 0);

    console.Add("Mm");
    Frame(console, 0, 0, 0);
    EXPECT_GT(DarkPixels(8, 40, 30, 39, H), 20);
    EXPECT_GT(DarkPixels(8, 40, 45, 54, H), 20);
    EXPECT_EQ(DarkPixels(2, 200, 39, 45, H), 0);
    EXPECT_EQ(DarkPixels(2, 200, 55, 320, H), 0);
}

TEST_F(ConsoleDrawing, TheCursorBlinksEveryHalfSecondAfterThePrompt)
{
    CWSKConsole console;
    ASSERT_TRUE(console.SetupFont(skfCurrentDeviceContext()));
    ShowFully(console);
    const int H = console.mFullHeight;
    // Right of the prompt's first three letters.
    const auto cursorPixels = [&] { return DarkPixels(30, 120, 2, 19, H); };
    CTimer::AdvanceManualClock(0.5);
    Frame(console, 0, 0, 0); // the blink switches on; nothing is drawn for it yet
    EXPECT_TRUE(console.mCursorOn);
    const int promptOnly = cursorPixels();
    CTimer::AdvanceManualClock(0.25);
    Frame(console, 0, 0, 0);
    EXPECT_GT(cursorPixels(), promptOnly + 3);
    EXPECT_GT(DarkPixels(40, 120, 2, 8, H), 3) << "an underscore, on or under the baseline";
    EXPECT_EQ(DarkPixels(40, 120, 8, 19, H), 0);
    CTimer::AdvanceManualClock(0.25);
    Frame(console, 0, 0, 0);
    EXPECT_FALSE(console.mCursorOn);
    CTimer::AdvanceManualClock(0.25);
    Frame(console, 0, 0, 0);
    EXPECT_EQ(cursorPixels(), promptOnly);
}

TEST_F(ConsoleDrawing, EveryStateTheDrawingChangesIsRestored)
{
    CWSKConsole console;
    ASSERT_TRUE(console.SetupFont(skfCurrentDeviceContext()));
    ShowFully(console);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-3, 3, -2, 2, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    glEnable(GL_DEPTH_TEST);
    glListBase(5);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    GLfloat projection[16], modelView[16], after[16], colour[4];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);

    console.Render();

    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_TRUE(std::equal(after, after + 16, projection));
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_TRUE(std::equal(after, after + 16, modelView));
    GLint viewport[4], base = 0, mode = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], kWidth);
    EXPECT_EQ(viewport[3], kHeight);
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 5);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[3], 0.4f);
}

TEST_F(ConsoleDrawing, AZeroSizedViewportDrawsNothingAndRaisesNoError)
{
    CWSKConsole console;
    ShowFully(console);
    glViewport(0, 0, 0, 0);
    console.Render();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glViewport(0, 0, kWidth, kHeight);
}

} // namespace
