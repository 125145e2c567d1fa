#include "console/font_lookup.h"

#include <fontconfig/fontconfig.h>

namespace nimbus {

bool FindBoldFont(const char* family, int pixelSize, FontChoice& choice)
{
    // A configuration of our own, gone afterwards: the process-wide one would stay until exit
    // and is the host's to manage. Loading it from the font cache takes a few milliseconds.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return false;
    FcPattern* wanted = FcPatternCreate();
    if (!wanted) {
        FcConfigDestroy(config);
        return false;
    }
    FcPatternAddString(wanted, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(wanted, FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddDouble(wanted, FC_PIXEL_SIZE, double(pixelSize));
    FcConfigSubstitute(config, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, wanted, &result);
    FcPatternDestroy(wanted);
    if (!match) {
        FcConfigDestroy(config);
        return false;
    }
    FcChar8* file = nullptr;
    int index = 0;
    FcBool embolden = FcFalse;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file && file[0];
    if (found) {
        choice.file = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch && index >= 0)
            choice.faceIndex = index;
        if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch)
            choice.embolden = embolden == FcTrue;
    }
    FcPatternDestroy(match);
    FcConfigDestroy(config);
    return found;
}

} // namespace nimbus
