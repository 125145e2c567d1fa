#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "console/glyph_module.h"
#include "nimbus/font.h"

namespace {

// Font sizes past this are not a text size; refusing them keeps glyph memory bounded.
constexpr int kMaxPixelSize = 512;

// Stands for "the current context": the handle carries no data of its own.
const char kCurrentContext = 0;

// The run of display lists that copies of one font share.
struct ListRun {
    GLuint first;
    ~ListRun() { glDeleteLists(first, CWSKFont::kCharCount); }
};

void CompileGlyph(GLuint list, const nimbus::GlyphBitmap& g)
{
    glNewList(list, GL_COMPILE);
    if (g.bits.empty()) {
        // Mesa records an empty bitmap in a list as out of memory: a blank pixel only moves the pen.
        static const GLubyte blank = 0;
        glBitmap(1, 1, 0, 0, GLfloat(g.advance), 0, &blank);
    } else {
        glBitmap(GLsizei(g.width), GLsizei(g.height), GLfloat(-g.left), GLfloat(g.height - g.top),
                 GLfloat(g.advance), 0, g.bits.data());
    }
    glEndList();
}

} // namespace

SkDeviceContext skfCurrentDeviceContext()
{
    // Without a current context the dispatcher answers every query with nothing.
    return glGetString(GL_VERSION) ? &kCurrentContext : nullptr;
}

CWSKFont::CWSKFont() : mListBase(0) {}

CWSKFont::CWSKFont(const CWSKFont& other) : mListBase(other.mListBase), mLists(other.mLists) {}

CWSKFont& CWSKFont::operator=(const CWSKFont& other)
{
    mListBase = other.mListBase;
    mLists = other.mLists;
    return *this;
}

CWSKFont::~CWSKFont() { Release(); }

void CWSKFont::Release()
{
    mLists.reset();
    mListBase = 0;
}

bool CWSKFont::Build(const char* faceName, int size, SkDeviceContext deviceContext)
{
    if (!deviceContext || !faceName || size <= 0 || size > kMaxPixelSize)
        return false;
    const std::vector<nimbus::GlyphBitmap> glyphs = nimbus::LoadBoldGlyphs(faceName, size, kFirstChar, kCharCount);
    if (glyphs.size() != size_t(kCharCount))
        return false;
    const GLuint first = glGenLists(kCharCount);
    if (first == 0)
        return false;
    // Bitmaps are unpacked when the lists are compiled: tightly packed rows, most significant bit first.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (int i = 0; i < kCharCount; ++i)
        CompileGlyph(first + GLuint(i), glyphs[size_t(i)]);
    glPopClientAttrib();
    Release();
    mLists = std::shared_ptr<ListRun>(new ListRun{first});
    mListBase = first;
    return true;
}

void CWSKFont::Print(const char* format, ...)
{
    if (mListBase == 0 || !format)
        return;
    char text[kTextSize];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    if (written <= 0)
        return;
    const size_t length = std::strlen(text);
    // Only the characters that have lists; any other byte would call someone else's list.
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < kFirstChar || c >= kFirstChar + kCharCount)
            text[i] = '?';
    }
    glPushAttrib(GL_LIST_BIT);
    glListBase(mListBase - kFirstChar);
    glCallLists(GLsizei(length), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}
