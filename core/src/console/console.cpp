#include <GL/gl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "nimbus/console.h"

namespace {

constexpr int kDefaultMaxLines = 20;
constexpr int kDefaultFullHeight = 326;
// Each frame of a slide moves by the height times a third of the seconds since it began.
constexpr float kSlideRate = 1.0f / 3.0f;
constexpr float kBlinkSeconds = 0.5f;

constexpr const char* kFontFace = "Arial";
constexpr int kFontSize = 11;

constexpr float kPanelGrey = 0.7f;
constexpr float kActivePanelAlpha = 0.85f;
constexpr float kInactivePanelAlpha = 0.35f;
constexpr float kActiveBorderAlpha = 1.0f;
constexpr float kInactiveBorderAlpha = 0.45f;
constexpr float kBorderWidth = 2.0f;
constexpr int kSeparatorY = 20;

constexpr int kTextX = 8;
constexpr int kPromptY = 7;
constexpr int kLineSpacing = 15;
constexpr const char* kPrompt = "cmd>";
constexpr const char* kCursor = "          _"; // lands just after the prompt

} // namespace

CWSKConsole::CWSKConsole()
    : mVisible(false),
      mActive(true),
      mMaxLines(kDefaultMaxLines),
      mFullHeight(kDefaultFullHeight),
      mCurrentHeight(0),
      mSlideStart(0),
      mCursorTime(0),
      mCursorOn(false)
{
    Add("Halvard System Console");
    Add("v.0.1");
}

CWSKConsole::~CWSKConsole() = default;

void CWSKConsole::Add(const char* format, ...)
{
    if (!format)
        return;
    char line[kLineSize];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    mLines.emplace_back(written < 0 ? "" : line);
    while (mLines.size() > size_t(std::max(mMaxLines, 0)))
        mLines.pop_front();
}

bool CWSKConsole::SetupFont(SkDeviceContext deviceContext) { return mFont.Build(kFontFace, kFontSize, deviceContext); }

void CWSKConsole::Slide(float now)
{
    const int full = mFullHeight;
    if (!mVisible) {
        if (mCurrentHeight <= 0)
            return;
        if (mCurrentHeight >= full) {
            mSlideStart = now;
            mCurrentHeight = full - 1;
        } else {
            mCurrentHeight += int((now - mSlideStart) * float(full) * -kSlideRate);
        }
        mCurrentHeight = std::max(mCurrentHeight, 0);
    } else if (mCurrentHeight < full) {
        if (mCurrentHeight <= 0) {
            mSlideStart = now;
            mCurrentHeight = 1;
        } else {
            mCurrentHeight += int((now - mSlideStart) * float(full) * kSlideRate);
        }
        mCurrentHeight = std::min(mCurrentHeight, full);
    }
}

void CWSKConsole::Render()
{
    const float now = mTimer.GetTime();
    Slide(now);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int w = viewport[2], h = viewport[3], H = mCurrentHeight;
    // An empty area has no projection to draw in.
    if (H <= 0 || w <= 0 || h <= 0)
        return;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glViewport(0, h - H, w, H);
    glScissor(0, h - H, w, H);
    glEnable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w, 0, H, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    // What a scene may leave behind that would change a flat panel.
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LINE_STIPPLE);
    glDisable(GL_LINE_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    glColor4f(kPanelGrey, kPanelGrey, kPanelGrey, mActive ? kActivePanelAlpha : kInactivePanelAlpha);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(w, 0);
    glVertex2i(w, H);
    glVertex2i(0, H);
    glEnd();

    // The text is drawn in the border's colour, which the raster position picks up.
    glColor4f(0.0f, 0.0f, 0.0f, mActive ? kActiveBorderAlpha : kInactiveBorderAlpha);
    glLineWidth(kBorderWidth);
    glBegin(GL_LINES);
    glVertex2i(1, 0);
    glVertex2i(1, H);
    glVertex2i(w - 1, 0);
    glVertex2i(w - 1, H);
    glVertex2i(0, 1);
    glVertex2i(w, 1);
    glVertex2i(1, kSeparatorY);
    glVertex2i(w - 1, kSeparatorY);
    glEnd();

    const int n = int(mLines.size());
    int k = 0;
    for (const std::string& line : mLines) {
        glRasterPos2i(kTextX, kLineSpacing * (n - k) + kLineSpacing);
        mFont.Print("%s", line.c_str());
        ++k;
    }
    glRasterPos2i(kTextX, kPromptY);
    mFont.Print("%s", kPrompt);

    if (now - mCursorTime >= kBlinkSeconds) {
        mCursorTime = now;
        mCursorOn = !mCursorOn;
    } else if (mCursorOn) {
        glRasterPos2i(kTextX, kPromptY);
        mFont.Print("%s", kCursor);
    }

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}
