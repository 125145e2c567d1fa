#include "console/font_lookup.h"

#include <fontconfig/fontconfig.h>

namespace nimbus {

bool FindBoldFont(const char* family, int pixelSize, FontChoice& choice)
{
    FcPattern* wanted = FcPatternCreate();
    if (!wanted)
        return false;
    FcPatternAddString(wanted, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(wanted, FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddDouble(wanted, FC_PIXEL_SIZE, double(pixelSize));
    FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, wanted, &result);
    FcPatternDestroy(wanted);
    if (!match)
        return false;
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
    return found;
}

} // namespace nimbus
