#pragma once
#include <string>

namespace kestrel::cli {

constexpr int kMinThumbnailSide = 3; // room for the frame and one pixel inside it
constexpr int kMaxThumbnailSide = 4096;

struct ThumbnailOptions {
    std::string input;
    std::string output;
    std::string plugInFolder;
    int width = 96;
    int height = 84;
};

// Writes the file list's thumbnail of the document as PNG. Exit code 0 on success, 1 when
// the file does not open or the picture cannot be made or written.
int ThumbnailCommand(const ThumbnailOptions& options);

} // namespace kestrel::cli
