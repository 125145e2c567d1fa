#include "console/glyph_raster.h"

#include <cstdlib>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include "console/font_lookup.h"

namespace nimbus {
namespace {

// Far beyond any console glyph; a font file asking for more is not trusted.
constexpr unsigned kMaxGlyphSide = 1024;

// Whether the pixel at column x of a FreeType row is set.
bool PixelSet(const FT_Bitmap& b, const unsigned char* row, unsigned x)
{
    if (b.pixel_mode == FT_PIXEL_MODE_MONO)
        return (row[x / 8] >> (7 - x % 8)) & 1;
    return row[x] >= kCoverageThreshold;
}

GlyphBitmap FromSlot(const FT_GlyphSlot slot)
{
    GlyphBitmap g;
    g.advance = int((slot->advance.x + 32) >> 6);
    const FT_Bitmap& b = slot->bitmap;
    const bool readable = b.pixel_mode == FT_PIXEL_MODE_GRAY || b.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!readable || !b.buffer || b.width == 0 || b.rows == 0 || b.width > kMaxGlyphSide || b.rows > kMaxGlyphSide)
        return g;
    g.width = int(b.width);
    g.height = int(b.rows);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    const size_t rowBytes = (b.width + 7) / 8;
    g.bits.assign(rowBytes * b.rows, 0);
    // FreeType rows run downwards from the top, glBitmap's upwards from the bottom.
    for (unsigned y = 0; y < b.rows; ++y) {
        const unsigned char* row = b.buffer + ptrdiff_t(y) * b.pitch;
        uint8_t* out = g.bits.data() + (b.rows - 1 - y) * rowBytes;
        for (unsigned x = 0; x < b.width; ++x)
            if (PixelSet(b, row, x))
                out[x / 8] |= uint8_t(0x80u >> (x % 8));
    }
    return g;
}

// Frees the library and the face on every way out.
struct FaceSession {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FaceSession()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

} // namespace

std::vector<GlyphBitmap> RasterizeBoldGlyphs(const char* family, int pixelSize, int first, int count)
{
    FontChoice choice;
    if (!family || pixelSize <= 0 || count <= 0 || !FindBoldFont(family, pixelSize, choice))
        return {};
    FaceSession s;
    if (FT_Init_FreeType(&s.library) != 0 || FT_New_Face(s.library, choice.file.c_str(), choice.faceIndex, &s.face) != 0 ||
        FT_Set_Pixel_Sizes(s.face, 0, FT_UInt(pixelSize)) != 0)
        return {};
    const bool embolden = choice.embolden || !(s.face->style_flags & FT_STYLE_FLAG_BOLD);
    std::vector<GlyphBitmap> glyphs;
    glyphs.reserve(size_t(count));
    for (int c = first; c < first + count; ++c) {
        // A character the face lacks keeps its place as an empty glyph.
        const FT_UInt index = FT_Get_Char_Index(s.face, FT_ULong(c));
        if (FT_Load_Glyph(s.face, index, FT_LOAD_DEFAULT) != 0) {
            glyphs.emplace_back();
            continue;
        }
        if (embolden)
            FT_GlyphSlot_Embolden(s.face->glyph);
        if (s.face->glyph->format != FT_GLYPH_FORMAT_BITMAP &&
            FT_Render_Glyph(s.face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
            glyphs.emplace_back();
            continue;
        }
        glyphs.push_back(FromSlot(s.face->glyph));
    }
    return glyphs;
}

} // namespace nimbus
