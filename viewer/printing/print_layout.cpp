#include "print_layout.h"

#include <algorithm>
#include <cmath>

namespace kestrel::printing {

PixelSize PrintableSize(PixelSize pageSize)
{
    return {std::max(0, pageSize.width - 2 * kPageMargin), std::max(0, pageSize.height - 2 * kPageMargin)};
}

PixelSize HalveUntilSmall(PixelSize size, int maxSide)
{
    const auto tooLarge = [maxSide](PixelSize s) {
        return (long long)s.width * s.height >= kMaxPicturePixels ||
               (maxSide > 0 && (s.width > maxSide || s.height > maxSide));
    };
    while (tooLarge(size) && (size.width > 1 || size.height > 1)) {
        size.width = std::max(1, size.width / 2);
        size.height = std::max(1, size.height / 2);
    }
    return size;
}

PixelSize PrintPictureSize(PixelSize printable, PixelSize view, int maxSide)
{
    if (printable.width < 1 || printable.height < 1)
        return {};
    const int viewWidth = std::max(1, view.width), viewHeight = std::max(1, view.height);
    PixelSize size;
    // The view is wider than the printable area: full width; otherwise full height.
    if ((long long)viewWidth * printable.height >= (long long)viewHeight * printable.width) {
        size.width = printable.width;
        size.height = int((long long)printable.width * viewHeight / viewWidth);
    } else {
        size.height = printable.height;
        size.width = int((long long)printable.height * viewWidth / viewHeight);
    }
    size.width = std::max(1, size.width);
    size.height = std::max(1, size.height);
    return HalveUntilSmall(size, maxSide);
}

PageRect PrintTargetRect(PixelSize printable, PixelSize picture)
{
    if (printable.width < 1 || printable.height < 1 || picture.width < 1 || picture.height < 1)
        return {};
    const double scale = std::min(double(printable.width) / picture.width, double(printable.height) / picture.height);
    PageRect r;
    r.width = std::min(printable.width, int(std::lround(picture.width * scale)));
    r.height = std::min(printable.height, int(std::lround(picture.height * scale)));
    r.x = kPageMargin + (printable.width - r.width) / 2;
    r.y = kPageMargin + (printable.height - r.height) / 2;
    return r;
}

} // namespace kestrel::printing
