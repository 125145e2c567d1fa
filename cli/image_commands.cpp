#include "image_commands.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "nimbus/path.h"
#include "nimbus/texture.h"
#include "output_target.h"

namespace kestrel::cli {
namespace {

const char* TypeName(int type)
{
    static const char* names[] = {"", "BMP", "JPEG", "TGA", "PCX", "CEL", "PNG", "TIFF", "GIF", "DDS"};
    return type >= 1 && type <= 9 ? names[type] : "unknown";
}

// The saver to use for a file name, by its extension; 0 when none writes it.
int SaveTypeFor(const std::string& path)
{
    char ext[512] = {};
    std::strncpy(ext, path.c_str(), sizeof(ext) - 1);
    if (!skfPathToExtension(ext))
        return 0;
    const std::string e = ext;
    if (e == "BMP" || e == "DIB") return SK_TEX_BMP;
    if (e == "JPG" || e == "JPEG") return SK_TEX_JPEG;
    if (e == "TGA") return SK_TEX_TGA;
    if (e == "PNG") return SK_TEX_PNG;
    if (e == "PCX") return SK_TEX_PCX;
    return 0;
}

// Saves by the output's extension; on failure prints the message, with the reason when the
// target is refused.
bool Save(CTexture& texture, const std::string& output, const std::string& failure)
{
    const int type = SaveTypeFor(output);
    const std::string refusal = type == 0 ? std::string() : WriteRefusalFor(output);
    if (type == 0 || !refusal.empty() || !texture.SaveToFile(output.c_str(), ESkTexType(type))) {
        ReportWriteFailure(failure, refusal);
        return false;
    }
    return true;
}

bool Load(CTexture& texture, const std::string& path)
{
    texture.SetFileNameUtf8(path.c_str());
    if (texture.LoadFromFile())
        return true;
    std::fprintf(stderr, "Cannot read image: %s\n", path.c_str());
    return false;
}

bool ApplyEdit(CTexture& t, const std::vector<std::string>& args, size_t& i)
{
    const std::string& a = args[i];
    const auto value = [&]() -> const char* { return i + 1 < args.size() ? args[++i].c_str() : nullptr; };
    if (a == "--grayscale") { t.ModGrayscale(); return true; }
    if (a == "--invert") { t.ModInvert(); return true; }
    if (a == "--rotate") {
        const char* v = value();
        if (v && !std::strcmp(v, "cw")) { t.ModRotate(SK_ROTATE_CW); return true; }
        if (v && !std::strcmp(v, "ccw")) { t.ModRotate(SK_ROTATE_CCW); return true; }
        return false;
    }
    if (a == "--flip") {
        const char* v = value();
        if (v && !std::strcmp(v, "v")) { t.ModFlip(SK_FLIP_VERTICAL); return true; }
        if (v && !std::strcmp(v, "h")) { t.ModFlip(SK_FLIP_HORIZONTAL); return true; }
        return false;
    }
    if (a == "--normal-map") {
        const char* v = value();
        char* end = nullptr;
        const float scale = v ? std::strtof(v, &end) : 0.0f;
        if (!v || end == v || !std::isfinite(scale))
            return false;
        t.ModNormalMap(scale);
        return true;
    }
    return false;
}

} // namespace

int ImageConvert(const std::string& input, const std::string& output, const std::vector<std::string>& edits)
{
    CTexture texture;
    if (!Load(texture, input))
        return 1;
    for (size_t i = 0; i < edits.size(); ++i)
        if (!ApplyEdit(texture, edits, i)) {
            std::fprintf(stderr, "Unknown or incomplete edit: %s\n", edits[i].c_str());
            return 2;
        }
    if (!Save(texture, output, std::string("Cannot write ") + TypeName(SaveTypeFor(output)) + " image: " + output))
        return 1;
    std::printf("Wrote %s (%ux%u, %u bpp)\n", output.c_str(), texture.mWidth, texture.mHeight, unsigned(texture.mBpp));
    return 0;
}

int WriteSampleImage(const std::string& output)
{
    // Soft hills: a height field that makes a readable normal map.
    CTexture texture;
    texture.mWidth = 128;
    texture.mHeight = 128;
    texture.mBpp = 24;
    texture.InitPixelData();
    for (uint32_t y = 0; y < texture.mHeight; ++y)
        for (uint32_t x = 0; x < texture.mWidth; ++x) {
            const double h = 0.5 + 0.25 * std::sin(x * 0.15) + 0.25 * std::cos(y * 0.11);
            uint8_t* p = texture.mData.data() + (size_t(y) * texture.mWidth + x) * 3;
            p[0] = uint8_t(255 * h);
            p[1] = uint8_t(200 * h);
            p[2] = uint8_t(120 + 100 * h);
        }
    return Save(texture, output, "Cannot write " + output) ? 0 : 1;
}

} // namespace kestrel::cli
