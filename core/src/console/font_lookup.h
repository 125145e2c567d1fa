#pragma once
#include <string>

namespace nimbus {

// The font file fontconfig picks for a bold face of that family at that pixel size; when the
// family is not installed, fontconfig's substitute (a metric-compatible face where there is one).
struct FontChoice {
    std::string file;
    int faceIndex = 0;
    bool embolden = false; // the file has no bold weight: thicken the outlines
};

// False when fontconfig knows no font at all.
bool FindBoldFont(const char* family, int pixelSize, FontChoice& choice);

} // namespace nimbus
