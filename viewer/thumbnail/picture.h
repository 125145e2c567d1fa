#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A small opaque picture without any toolkit: what a thumbnail is made of. Top row first,
// one 0xffRRGGBB value per pixel (the toolkit's 32-bit RGB layout, so a window can show
// it as it is); the command line writes it without loading the widget libraries.
namespace kestrel::thumbnail {

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;

    bool IsNull() const { return width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height); }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    uint32_t& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b)
{
    return 0xff000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}
constexpr uint8_t RedOf(uint32_t p) { return uint8_t(p >> 16); }
constexpr uint8_t GreenOf(uint32_t p) { return uint8_t(p >> 8); }
constexpr uint8_t BlueOf(uint32_t p) { return uint8_t(p); }

// width x height of one colour; null for an empty size.
Picture FilledPicture(int width, int height, uint32_t colour);

// The picture brought to width x height, each new pixel the mean of the area of the
// picture it covers (a box filter, as good as any for shrinking).
Picture Resampled(const Picture& from, int width, int height);

// Copies `piece` to (x, y), clipped to the canvas.
void Paste(Picture& canvas, const Picture& piece, int x, int y);

} // namespace kestrel::thumbnail
