#include "console/glyph_module.h"

// The module's one entry; the caller owns out.
extern "C" __attribute__((visibility("default"))) void nimbusRasterizeBoldGlyphs(const char* family, int pixelSize,
                                                                                int first, int count,
                                                                                std::vector<nimbus::GlyphBitmap>* out)
{
    if (out)
        *out = nimbus::RasterizeBoldGlyphs(family, pixelSize, first, count);
}
