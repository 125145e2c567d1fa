#pragma once
// Where the document's picture goes on a printed page, decided without a printer: how large
// the off-screen picture is drawn and the rectangle of the page it is stretched into.

namespace kestrel::printing {

// Device units kept free on each side of the printable area.
constexpr int kPageMargin = 120;
// A picture of this many pixels or more is halved in both directions until it is smaller.
constexpr long long kMaxPicturePixels = 20'000'000;

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

struct PageRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PageRect&) const = default;
};

// The page's printable size in device units less the margin on both sides; empty when the
// page is smaller than the margins.
PixelSize PrintableSize(PixelSize pageSize);

// The picture drawn for printing: the printable area filled with the view's aspect ratio,
// halved while too large. A side above maxSide (the largest target the GL can draw into;
// 0 for no limit) halves it as well.
PixelSize PrintPictureSize(PixelSize printable, PixelSize view, int maxSide = 0);

// Halves width and height while their product reaches kMaxPicturePixels or a side exceeds
// maxSide (0: no limit). Each side stays at least 1.
PixelSize HalveUntilSmall(PixelSize size, int maxSide = 0);

// The picture scaled by the smaller of the printable / picture ratios, centred in the
// printable area and moved by the margin. Empty for an empty picture or page.
PageRect PrintTargetRect(PixelSize printable, PixelSize picture);

} // namespace kestrel::printing
