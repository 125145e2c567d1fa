#pragma once

class CTexture;

// Drawing a 2D image in view mode 2: fitted or zoomed, over the alpha backdrop.
namespace kestrel::scene {

constexpr float kMinImageZoom = 0.01f;
constexpr float kMaxImageZoom = 7.0f;

struct ImageView {
    float zoom = 1.0f;
    int fitX = 0, fitY = 0;       // where the image's lower-left corner lies in the window
    int scrollX = 0, scrollY = 0; // added by the user
};

// Fits the image into a window of W x H pixels without ever enlarging it.
void FitImage(ImageView& view, int windowWidth, int windowHeight, int imageWidth, int imageHeight);
// Centres the image at its current zoom.
void CentreImage(ImageView& view, int windowWidth, int windowHeight, int imageWidth, int imageHeight);

// A checkerboard of 8-pixel cells the image's size, for 32-bit images; cleared otherwise.
void BuildAlphaBackdrop(const CTexture& image, CTexture& backdrop);

// Draws into the current context, whose projection is orthographic in window pixels.
void DrawImage(const CTexture& image, const CTexture& backdrop, const ImageView& view, bool showAlpha);

} // namespace kestrel::scene
