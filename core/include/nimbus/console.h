#pragma once
#include <list>
#include <string>
#include "nimbus/export.h"
#include "nimbus/font.h"
#include "nimbus/timer.h"

// A drop-down text console drawn over the top of the current GL viewport: a translucent
// grey panel with a border, the last lines of history, a "cmd>" prompt and a blinking
// cursor. It slides down when shown and up when hidden, faster the longer the slide lasts;
// the slide and the blink follow mTimer, so call Render once per frame.
class NIMBUS_API CWSKConsole {
public:
    CWSKConsole();
    virtual ~CWSKConsole();

    // Formats one line printf-style (up to kLineSize - 1 characters) and appends it; the
    // oldest line goes when there are more than mMaxLines.
    void Add(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    void Visible(bool visible) { mVisible = visible; }
    bool IsVisible() const { return mVisible; }
    // An active console is drawn nearly opaque, an inactive one faded.
    void Active(bool active) { mActive = active; }
    bool IsActive() const { return mActive; }

    // Builds the text font ("Arial", 11 pixels) in the current GL context.
    bool SetupFont(SkDeviceContext deviceContext);

    // Draws into the current GL context over the top mCurrentHeight rows of the viewport;
    // every GL state it changes is restored.
    void Render();

    static constexpr int kLineSize = 256;

    bool mVisible;
    bool mActive;
    int mMaxLines;
    int mFullHeight;
    int mCurrentHeight; // 0 while hidden
    float mSlideStart;  // timer value when the current slide began
    float mCursorTime;  // timer value of the last blink
    bool mCursorOn;
    CTimer mTimer;
    CWSKFont mFont;
    std::list<std::string> mLines; // oldest first

private:
    void Slide(float now);
};
