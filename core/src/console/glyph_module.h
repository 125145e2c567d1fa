#pragma once
#include <vector>

#include "console/glyph_raster.h"

namespace nimbus {

// The font libraries (fontconfig, FreeType and the half-dozen they bring) live in a module of
// their own beside the engine, loaded when a font is first built: a command that prints no
// text never maps them.
constexpr const char* kGlyphModule = "libnimbus_glyphs.so";
constexpr const char* kRasterizeEntryName = "nimbusRasterizeBoldGlyphs";
using RasterizeEntry = void (*)(const char* family, int pixelSize, int first, int count,
                                std::vector<GlyphBitmap>* out);

// RasterizeBoldGlyphs through the module; empty when the module cannot be loaded.
std::vector<GlyphBitmap> LoadBoldGlyphs(const char* family, int pixelSize, int first, int count);

} // namespace nimbus
