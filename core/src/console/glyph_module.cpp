#include "console/glyph_module.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

namespace nimbus {
namespace {

// Beside the engine library itself, wherever that was loaded from (build tree or install);
// then through the ordinary search.
void* OpenGlyphModule()
{
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&LoadBoldGlyphs), &self) && self.dli_fname) {
        std::string path = self.dli_fname;
        const size_t slash = path.rfind('/');
        if (slash != std::string::npos) {
            path.resize(slash + 1);
            if (void* module = dlopen((path + kGlyphModule).c_str(), RTLD_NOW | RTLD_LOCAL))
                return module;
        }
    }
    return dlopen(kGlyphModule, RTLD_NOW | RTLD_LOCAL);
}

RasterizeEntry Entry()
{
    static std::once_flag once;
    static RasterizeEntry entry = nullptr;
    // Never closed: fontconfig keeps its configuration to the end of the process.
    std::call_once(once, [] {
        if (void* module = OpenGlyphModule())
            entry = reinterpret_cast<RasterizeEntry>(dlsym(module, kRasterizeEntryName));
    });
    return entry;
}

} // namespace

std::vector<GlyphBitmap> LoadBoldGlyphs(const char* family, int pixelSize, int first, int count)
{
    std::vector<GlyphBitmap> glyphs;
    if (const RasterizeEntry rasterize = Entry())
        rasterize(family, pixelSize, first, count, &glyphs);
    return glyphs;
}

} // namespace nimbus
