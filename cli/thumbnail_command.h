#pragma once
#include <cstdint>
#include <string>

namespace kestrel::cli {

constexpr int kMinThumbnailSide = 3; // room for the frame and one pixel inside it
constexpr int kMaxThumbnailSide = 4096;

// The budget of one thumbnail, so that a file manager's thumbnailer never hangs or runs
// away: larger files are refused before they are opened, and the process ends itself
// after the time and is refused memory beyond the address space.
constexpr uint64_t kMaxThumbnailInputBytes = uint64_t(512) << 20;
constexpr unsigned kThumbnailSeconds = 60;
constexpr uint64_t kThumbnailAddressSpace = uint64_t(8) << 30;

struct ThumbnailOptions {
    std::string input;
    std::string output;
    std::string plugInFolder;
    int width = 96;
    int height = 84;
};

// Empty when FILE may be thumbnailed: a regular file (after links) of at most
// kMaxThumbnailInputBytes; otherwise the reason. Never opens the file, so a FIFO cannot block.
std::string ThumbnailInputRefusal(const std::string& path);

// Writes the file list's thumbnail of the document as PNG. Exit code 0 on success, 1 when
// the file does not open or the picture cannot be made or written.
int ThumbnailCommand(const ThumbnailOptions& options);

} // namespace kestrel::cli
