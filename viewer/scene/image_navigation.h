#pragma once
// How the user moves and zooms an image in view mode 2: the commands, the mouse and the
// keys change the image view's zoom and offsets here, without any widget.

#include "image_drawing.h"

namespace kestrel::scene {

// The window and the image, in pixels.
struct ImageFrame {
    int windowWidth = 1, windowHeight = 1;
    int imageWidth = 0, imageHeight = 0;
};

constexpr float kImageZoomCommandStep = 0.02f; // Zoom In, Zoom Out
constexpr float kImageZoomKeyStep = 0.05f;     // keypad plus and minus
constexpr float kImageZoomPerPixel = 0.005f;   // right drag, per pixel upwards
constexpr float kImageZoomPerWheelUnit = 0.0003125f; // 0.0375 per notch of 120
constexpr int kImageArrowStep = 2;             // pixels per key repeat at zoom 1 or less

bool CanZoomImageIn(const ImageView& view);
bool CanZoomImageOut(const ImageView& view);

// Fit Window: the scroll offset cleared, fitted.
void FitImageToWindow(ImageView& view, const ImageFrame& frame);
// Actual Size: the scroll offset cleared, zoom 1, centred.
void ShowImageActualSize(ImageView& view, const ImageFrame& frame);
// Zoom changed by delta within the limits, then centred.
void ZoomImageBy(ImageView& view, float delta, const ImageFrame& frame);
// Zoom changed by delta within the limits so that the image pixel under the point (window
// pixels, origin lower left) stays under it; the image stays centred apart from the scroll.
void ZoomImageAbout(ImageView& view, float delta, int x, int y, const ImageFrame& frame);
// Scroll offset moved by the mouse (x right, y up).
void ScrollImage(ImageView& view, int dx, int dy);
// The scroll step of an arrow key for a number of repeats: larger when zoomed in.
int ImageArrowStep(float zoom, int repeats);

} // namespace kestrel::scene
