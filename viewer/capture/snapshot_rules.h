#pragma once
// Where screenshots go and what they hold, without any widget.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrel::capture {

constexpr int kLastScreenshotNumber = 999;
constexpr char kScreenshotFolderName[] = "Screenshots";

// The picture's width: the view's width rounded up to a multiple of 4.
int ScreenshotWidth(int viewWidth);

// "scr%03d.jpg": the first number from 000 to 999 with no file yet; scr999.jpg, to be
// overwritten, when all exist.
std::filesystem::path NextScreenshotName(const std::filesystem::path& folder);

struct ScreenshotFolder {
    std::filesystem::path folder; // empty: none could be had
    bool storeBack = false;       // the setting should name this folder from now on
};

// The stored folder while it can be entered and written; else "Screenshots" in the
// program's folder, made when missing; else, where that cannot be written (an installed
// program), "Screenshots" in the user's pictures folder.
ScreenshotFolder ChooseScreenshotFolder(const std::filesystem::path& stored, const std::filesystem::path& programFolder,
                                        const std::filesystem::path& picturesFolder);

// Writes a top-row-first 0xAARRGGBB picture as a JPEG `width` wide, widened to a
// multiple of 4 by repeating its last column; through a temporary file, so a failed save
// leaves no partial file. False when it could not be written.
bool SaveScreenshot(const std::vector<uint32_t>& pixels, int width, int height, const std::filesystem::path& path);

} // namespace kestrel::capture
