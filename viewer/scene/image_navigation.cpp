#include "image_navigation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrel::scene {
namespace {

float ClampedZoom(float zoom)
{
    if (std::isnan(zoom))
        return 1.0f;
    return std::clamp(zoom, kMinImageZoom, kMaxImageZoom);
}

void Centre(ImageView& view, const ImageFrame& frame)
{
    CentreImage(view, frame.windowWidth, frame.windowHeight, frame.imageWidth, frame.imageHeight);
}

int ClampedInt(double value)
{
    constexpr double kLimit = double(std::numeric_limits<int>::max() / 2);
    return int(std::clamp(value, -kLimit, kLimit));
}

} // namespace

bool CanZoomImageIn(const ImageView& view)
{
    return view.zoom < kMaxImageZoom;
}

bool CanZoomImageOut(const ImageView& view)
{
    return view.zoom > kMinImageZoom;
}

void FitImageToWindow(ImageView& view, const ImageFrame& frame)
{
    view.scrollX = view.scrollY = 0;
    FitImage(view, frame.windowWidth, frame.windowHeight, frame.imageWidth, frame.imageHeight);
}

void ShowImageActualSize(ImageView& view, const ImageFrame& frame)
{
    view.scrollX = view.scrollY = 0;
    view.zoom = 1.0f;
    Centre(view, frame);
}

void ZoomImageBy(ImageView& view, float delta, const ImageFrame& frame)
{
    view.zoom = ClampedZoom(view.zoom + delta);
    Centre(view, frame);
}

void ZoomImageAbout(ImageView& view, float delta, int x, int y, const ImageFrame& frame)
{
    const double oldZoom = view.zoom;
    const double originX = double(view.fitX) + view.scrollX, originY = double(view.fitY) + view.scrollY;
    // The image point under the cursor, in image pixels.
    const double u = (double(x) - originX) / oldZoom, v = (double(y) - originY) / oldZoom;
    ZoomImageBy(view, delta, frame);
    view.scrollX = ClampedInt(std::lround(double(x) - u * view.zoom - view.fitX));
    view.scrollY = ClampedInt(std::lround(double(y) - v * view.zoom - view.fitY));
}

void ScrollImage(ImageView& view, int dx, int dy)
{
    view.scrollX = ClampedInt(double(view.scrollX) + dx);
    view.scrollY = ClampedInt(double(view.scrollY) + dy);
}

int ImageArrowStep(float zoom, int repeats)
{
    const int n = std::clamp(repeats, 1, 1000);
    if (zoom > 1.0f)
        return int(float(kImageArrowStep * n) * zoom);
    return kImageArrowStep * n;
}

} // namespace kestrel::scene
