#pragma once
// Finding the image an MD2 model is drawn with. Skin names inside the file usually carry
// the game's folder ("models/tank/skin.pcx"), while a user's folder holds the image beside
// the model: "tank.md2" with "skin.pcx" or "tank.pcx".

#include <string>
#include <vector>

namespace kestrel::morphreader {

struct SkinMaterial {
    std::string name;    // the skin name as the file gives it, or the image's file name
    std::string texture; // UTF-8 path as the importer was handed the model's (same folder)
};

// One material per skin of the file, each with the first of: the skin as named, relative
// to the model's folder; the skin's file name beside the model; the image of the model's
// name beside it; the skin name as written. A file without skins gets one material for an
// image of the model's name when there is one, else none. Names match case-insensitively
// when the exact one is missing. modelPath is UTF-8.
std::vector<SkinMaterial> FindSkinMaterials(const std::string& modelPath, const std::vector<std::string>& skins);

} // namespace kestrel::morphreader
