#pragma once
#include <cstddef>
#include <cstdint>

// The viewer's preference records, stored as binary values: a version stamp, the state
// block (display options and panel state) and the settings block (colours and sizes).
// Their layout is fixed: stored preferences are read back byte for byte.
namespace kestrel::prefs {

constexpr uint32_t kVersionStamp[4] = {3, 2, 0, 459};

// The mesh mode drawn with the models' own materials and shared corners.
constexpr uint8_t kSolidMeshMode = 12;

#pragma pack(push, 1)
struct StateBlock {
    uint8_t meshMode = kSolidMeshMode;
    uint8_t boundingBoxMode = 1; // corners
    uint8_t skeletonMode = 0;
    uint8_t normalsShown = 0;
    uint8_t gridMode = 3;        // transparent
    uint8_t axesShown = 1;
    uint8_t backFacesShown = 1;
    uint8_t fileListStyle = 1;
    uint32_t columnName = 200;
    uint32_t columnSize = 65;
    uint32_t columnType = 160;
    uint8_t statisticsPage = 0;
    uint8_t foldersPage = 0;
    uint8_t showAlpha = 1;
    uint8_t padding = 0;
    char16_t currentFolder[1024] = {};
};

struct Rgb {
    uint8_t r, g, b;
    const unsigned char* Bytes() const { return &r; }
};

enum Colour : int {
    kBoundingBoxes, kVertices, kWireframe,
    kJoints1, kBones1, kRoot1, kJoints2, kBones2, kRoot2, kBones3, kRoot3, kBones4,
    kBoxCorners, kBoxWireframe, kBoxTransparent,
    kBackground2D, kBackground3D,
    kNormalBase, kNormalLine,
    kGridWireframe, kGridSolidDark, kGridSolidLight, kGridTransparentDark, kGridTransparentLight,
    kAxisX, kAxisY, kAxisZ,
    kColourCount
};

struct SettingsBlock {
    Rgb colours[kColourCount];
    uint8_t padding[3] = {};
    float jointSize1 = 2.0f;
    float jointSize2 = 2.0f;
    float vectorLineLength = 2.0f;
    float normalBaseSize = 0.05f;
    char16_t screenshotFolder[1024] = {};
    uint32_t antialiasing = 1;

    SettingsBlock();
    const unsigned char* ColourOf(Colour c) const { return colours[c].Bytes(); }
};
#pragma pack(pop)

static_assert(sizeof(StateBlock) == 2072, "the state block is a stored record");
static_assert(sizeof(SettingsBlock) == 2152, "the settings block is a stored record");
static_assert(offsetof(SettingsBlock, jointSize1) == 84 && offsetof(SettingsBlock, screenshotFolder) == 100 &&
                  offsetof(SettingsBlock, antialiasing) == 2148,
              "settings fields lie where stored records keep them");

} // namespace kestrel::prefs
