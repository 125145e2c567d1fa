#include "picture.h"

#include <algorithm>
#include <cmath>

namespace kestrel::thumbnail {
namespace {

// One source pixel's share in a target pixel along one axis.
struct Tap {
    int source;
    float weight;
};

// For each of `to` target pixels, the source pixels of `from` it covers and their weights.
std::vector<std::vector<Tap>> Taps(int from, int to)
{
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
    const double scale = double(from) / double(to);
    for (int t = 0; t < to; ++t) {
        const double begin = t * scale, end = (t + 1) * scale;
        const int first = std::clamp(int(std::floor(begin)), 0, from - 1);
        const int last = std::clamp(int(std::ceil(end)) - 1, first, from - 1);
        double total = 0;
        for (int s = first; s <= last; ++s) {
            const double cover = std::min(end, double(s + 1)) - std::max(begin, double(s));
            if (cover > 0) {
                taps[size_t(t)].push_back(Tap{s, float(cover)});
                total += cover;
            }
        }
        if (taps[size_t(t)].empty())
            taps[size_t(t)].push_back(Tap{first, 1.0f});
        else
            for (Tap& tap : taps[size_t(t)])
                tap.weight = float(tap.weight / total);
    }
    return taps;
}

uint8_t Channel(float value)
{
    return uint8_t(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

Picture FilledPicture(int width, int height, uint32_t colour)
{
    Picture p;
    if (width <= 0 || height <= 0)
        return p;
    p.width = width;
    p.height = height;
    p.pixels.assign(size_t(width) * size_t(height), colour);
    return p;
}

Picture Resampled(const Picture& from, int width, int height)
{
    if (from.IsNull() || width <= 0 || height <= 0)
        return Picture();
    if (from.width == width && from.height == height)
        return from;
    const auto across = Taps(from.width, width), down = Taps(from.height, height);
    // Rows first, then columns, in floats per channel.
    std::vector<float> rows(size_t(width) * size_t(from.height) * 3);
    for (int y = 0; y < from.height; ++y)
        for (int x = 0; x < width; ++x) {
            float r = 0, g = 0, b = 0;
            for (const Tap& tap : across[size_t(x)]) {
                const uint32_t p = from.At(tap.source, y);
                r += tap.weight * RedOf(p);
                g += tap.weight * GreenOf(p);
                b += tap.weight * BlueOf(p);
            }
            float* out = &rows[(size_t(y) * size_t(width) + size_t(x)) * 3];
            out[0] = r;
            out[1] = g;
            out[2] = b;
        }
    Picture to = FilledPicture(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float r = 0, g = 0, b = 0;
            for (const Tap& tap : down[size_t(y)]) {
                const float* in = &rows[(size_t(tap.source) * size_t(width) + size_t(x)) * 3];
                r += tap.weight * in[0];
                g += tap.weight * in[1];
                b += tap.weight * in[2];
            }
            to.At(x, y) = Rgb(Channel(r), Channel(g), Channel(b));
        }
    return to;
}

void Paste(Picture& canvas, const Picture& piece, int x, int y)
{
    if (canvas.IsNull() || piece.IsNull())
        return;
    for (int row = 0; row < piece.height; ++row) {
        const int cy = y + row;
        if (cy < 0 || cy >= canvas.height)
            continue;
        for (int col = 0; col < piece.width; ++col) {
            const int cx = x + col;
            if (cx >= 0 && cx < canvas.width)
                canvas.At(cx, cy) = piece.At(col, row);
        }
    }
}

} // namespace kestrel::thumbnail
