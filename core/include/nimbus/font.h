#pragma once
#include <memory>
#include "nimbus/export.h"

// The context a font is built in. Linux has no device contexts: any non-null handle stands
// for "the OpenGL context that is current now"; null stands for none.
using SkDeviceContext = const void*;

// A handle for the current OpenGL context, or null when no context is current.
NIMBUS_API SkDeviceContext skfCurrentDeviceContext();

// Text drawn at the current raster position from 96 bitmap display lists, one for each
// character from 32 to 127, in the current raster colour. Glyphs are one bit per pixel.
class NIMBUS_API CWSKFont {
public:
    CWSKFont();
    // Copies share the lists; they are deleted with the last copy.
    CWSKFont(const CWSKFont& other);
    CWSKFont& operator=(const CWSKFont& other);
    virtual ~CWSKFont();

    // Builds the lists from a bold font of the face (through fontconfig, so "Arial" finds its
    // metric-compatible face) with an em height of size pixels, in the current GL context.
    // False, with the font left as it was, without a device context, a font or GL lists.
    bool Build(const char* faceName, int size, SkDeviceContext deviceContext);

    // Formats printf-style into kTextSize characters and draws them; the list base is
    // restored afterwards. Characters outside 32 to 127 show as '?'. Nothing is drawn
    // before a successful Build.
    void Print(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    static constexpr int kFirstChar = 32;
    static constexpr int kCharCount = 96;
    static constexpr int kTextSize = 256;

    // The first of the 96 lists; 0 when not built.
    unsigned int mListBase;

private:
    void Release();

    // Shared by copies; deletes the lists when the last copy lets go.
    std::shared_ptr<void> mLists;
};
