#include "snapshot_rules.h"

#include <cstdio>
#include <unistd.h>

#include "nimbus/texture.h"

namespace kestrel::capture {
namespace {

namespace fs = std::filesystem;

constexpr int kRowAlignment = 4;

bool Usable(const fs::path& folder)
{
    std::error_code ec;
    return !folder.empty() && fs::is_directory(folder, ec) && access(folder.c_str(), W_OK | X_OK) == 0;
}

bool MadeUsable(const fs::path& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    return Usable(folder);
}

} // namespace

int ScreenshotWidth(int viewWidth)
{
    if (viewWidth <= 0)
        return 0;
    return (viewWidth + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
}

fs::path NextScreenshotName(const fs::path& folder)
{
    char name[16];
    for (int n = 0; n <= kLastScreenshotNumber; ++n) {
        std::snprintf(name, sizeof(name), "scr%03d.jpg", n);
        std::error_code ec;
        if (!fs::exists(folder / name, ec))
            return folder / name;
    }
    std::snprintf(name, sizeof(name), "scr%03d.jpg", kLastScreenshotNumber);
    return folder / name;
}

ScreenshotFolder ChooseScreenshotFolder(const fs::path& stored, const fs::path& programFolder,
                                        const fs::path& picturesFolder)
{
    if (Usable(stored))
        return {stored, false};
    if (!programFolder.empty() && MadeUsable(programFolder / kScreenshotFolderName))
        return {programFolder / kScreenshotFolderName, true};
    if (!picturesFolder.empty() && MadeUsable(picturesFolder / kScreenshotFolderName))
        return {picturesFolder / kScreenshotFolderName, true};
    return {};
}

bool SaveScreenshot(const std::vector<uint32_t>& pixels, int width, int height, const fs::path& path)
{
    if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height))
        return false;
    const int wide = ScreenshotWidth(width);
    CTexture picture;
    picture.mWidth = uint32_t(wide);
    picture.mHeight = uint32_t(height);
    picture.mBpp = 24;
    picture.InitPixelData();
    for (int y = 0; y < height; ++y) {
        // The texture keeps its bottom row first, as the view's buffer does.
        uint8_t* to = picture.mData.data() + size_t(height - 1 - y) * size_t(wide) * 3;
        const uint32_t* from = pixels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < wide; ++x, to += 3) {
            const uint32_t p = from[x < width ? x : width - 1];
            to[0] = uint8_t(p >> 16);
            to[1] = uint8_t(p >> 8);
            to[2] = uint8_t(p);
        }
    }
    return picture.SaveToFile(path.c_str(), SK_TEX_JPEG);
}

} // namespace kestrel::capture
