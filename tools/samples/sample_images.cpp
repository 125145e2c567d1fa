#include <cmath>

#include "image_fixtures.h"
#include "library_image_fixtures.h"
#include "nimbus/texture.h"
#include "sample_files.h"

namespace kestrel::samples {
namespace {

// A colour wheel with a soft, transparent edge when alpha is wanted.
CTexture Wheel(uint32_t size, bool alpha)
{
    CTexture t;
    t.mWidth = size;
    t.mHeight = size;
    t.mBpp = alpha ? 32 : 24;
    t.InitPixelData();
    const unsigned n = t.mBpp / 8;
    const float r = float(size) / 2;
    for (uint32_t y = 0; y < size; ++y)
        for (uint32_t x = 0; x < size; ++x) {
            const float dx = float(x) - r, dy = float(y) - r;
            const float d = std::sqrt(dx * dx + dy * dy) / r;
            const float a = std::atan2(dy, dx);
            uint8_t* p = t.mData.data() + (size_t(y) * size + x) * n;
            p[0] = uint8_t(127 + 127 * std::cos(a));
            p[1] = uint8_t(127 + 127 * std::cos(a - 2.094f));
            p[2] = uint8_t(127 + 127 * std::cos(a + 2.094f));
            if (alpha)
                p[3] = uint8_t(255 * std::fmax(0.0f, std::fmin(1.0f, (1.0f - d) * 4)));
        }
    return t;
}

// Soft hills in grey: a height image for the terrain tool.
CTexture Hills(uint32_t size)
{
    CTexture t;
    t.mWidth = size;
    t.mHeight = size;
    t.mBpp = 24;
    t.InitPixelData();
    for (uint32_t y = 0; y < size; ++y)
        for (uint32_t x = 0; x < size; ++x) {
            const double h = 0.5 + 0.25 * std::sin(x * 0.15) * std::cos(y * 0.11) + 0.2 * std::sin((x + y) * 0.05);
            uint8_t* p = t.mData.data() + (size_t(y) * size + x) * 3;
            p[0] = p[1] = p[2] = uint8_t(std::fmax(0.0, std::fmin(255.0, 255 * h)));
        }
    return t;
}

// Wooden planks for the crate.
CTexture Planks(uint32_t size)
{
    CTexture t;
    t.mWidth = size;
    t.mHeight = size;
    t.mBpp = 24;
    t.InitPixelData();
    for (uint32_t y = 0; y < size; ++y)
        for (uint32_t x = 0; x < size; ++x) {
            const bool seam = (y % (size / 4)) < 2 || x < 3 || x + 3 >= size;
            const float grain = 0.85f + 0.15f * std::sin(float(x) * 0.4f + float(y % 16) * 0.2f);
            uint8_t* p = t.mData.data() + (size_t(y) * size + x) * 3;
            p[0] = uint8_t((seam ? 90 : 170) * grain);
            p[1] = uint8_t((seam ? 55 : 115) * grain);
            p[2] = uint8_t((seam ? 25 : 60) * grain);
        }
    return t;
}

} // namespace

bool WriteImages(const std::string& folder)
{
    CTexture hills = Hills(128), planks = Planks(64), wheel = Wheel(96, false), clear = Wheel(96, true);
    bool ok = hills.SaveToFile((folder + "/heightmap.tga").c_str(), SK_TEX_TGA) &&
              planks.SaveToFile((folder + "/crate.tga").c_str(), SK_TEX_TGA) &&
              wheel.SaveToFile((folder + "/wheel.jpg").c_str(), SK_TEX_JPEG) &&
              clear.SaveToFile((folder + "/wheel.png").c_str(), SK_TEX_PNG) &&
              clear.SaveToFile((folder + "/wheel.tga").c_str(), SK_TEX_TGA);
    // PCX and GIF have no saver in the engine; the test writers make them.
    const test::RefImage palette = test::MakePattern(64, 48, 24, test::PatternColours::kSixteenColours);
    test::WriteBytes(folder + "/pattern.pcx", test::MakePcx(palette, {}));
    std::vector<uint8_t> indices(64 * 48);
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = uint8_t(((i % 64) / 8 + (i / 64) / 8) % 4);
    ok = ok && test::WriteGif(folder + "/checker.gif", 64, 48, indices, {0xD04040, 0x40A040, 0x4060D0, 0xF0F0F0}, 3);
    return ok;
}

} // namespace kestrel::samples
