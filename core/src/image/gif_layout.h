#pragma once
// Where a GIF's first frame lies on its logical screen, read from the file's blocks
// before any decoder allocates for them.

#include <cstddef>
#include <cstdint>

namespace nimbus::image {

struct GifLayout {
    uint32_t screenWidth = 0;
    uint32_t screenHeight = 0;
    uint32_t frameLeft = 0;
    uint32_t frameTop = 0;
    uint32_t frameWidth = 0;
    uint32_t frameHeight = 0;
};

// The logical screen and the first image descriptor. False when the signature is not a
// GIF's, or the file ends, or a block other than an extension comes before the frame.
bool ReadGifLayout(const uint8_t* data, size_t size, GifLayout& out);

// The image a GIF opens as: its logical screen with the first frame on it. A frame that
// does not fit on the screen (some writers leave the screen 0 x 0) is the image alone.
struct GifCanvas {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t frameLeft = 0;  // from the left edge
    uint32_t frameTop = 0;   // from the top edge
};
GifCanvas CanvasOf(const GifLayout& layout);

// Whether a file of fileSize bytes may open as an image of width x height pixels. LZW
// data yields a few thousand pixels a byte at most, and a screen beyond the frame costs
// the file nothing, so a tiny file could otherwise ask for a screen of gigabytes.
bool GifCanvasFitsFile(uint64_t width, uint64_t height, size_t fileSize);

} // namespace nimbus::image
