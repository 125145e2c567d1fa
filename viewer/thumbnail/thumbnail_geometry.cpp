#include "thumbnail_geometry.h"

#include <algorithm>
#include <cmath>

namespace kestrel::thumbnail {

Rect ImageTarget(int imageWidth, int imageHeight, int frameWidth, int frameHeight)
{
    if (imageWidth <= 0 || imageHeight <= 0 || frameWidth <= 0 || frameHeight <= 0)
        return {};
    Rect r;
    if (imageWidth <= frameWidth && imageHeight <= frameHeight) {
        r.width = imageWidth;
        r.height = imageHeight;
    } else {
        const double sx = double(frameWidth) / imageWidth, sy = double(frameHeight) / imageHeight;
        // The limiting side fills the frame exactly; rounding must not leave a one-pixel gap.
        if (sx <= sy) {
            r.width = frameWidth;
            r.height = std::clamp(int(std::lround(imageHeight * sx)), 1, frameHeight);
        } else {
            r.height = frameHeight;
            r.width = std::clamp(int(std::lround(imageWidth * sy)), 1, frameWidth);
        }
    }
    r.x = (frameWidth - r.width) / 2;
    r.y = (frameHeight - r.height) / 2;
    return r;
}

Size ModelPictureSize(int frameWidth, int frameHeight)
{
    const int w = std::max(frameWidth, 1), h = std::max(frameHeight, 1);
    const int longer = std::max(w, h);
    if (longer * kModelOversampling <= kMaxModelPictureSide)
        return {w * kModelOversampling, h * kModelOversampling};
    // Keep the frame's shape so that the perspective matches what is shown.
    const double scale = double(kMaxModelPictureSide) / longer;
    return {std::max(1, int(std::lround(w * scale))), std::max(1, int(std::lround(h * scale)))};
}

} // namespace kestrel::thumbnail
