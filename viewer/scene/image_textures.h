#pragma once
#include <cstdint>

class CTexture;

namespace kestrel::scene {

struct ImageView;

// The shown image and its alpha backdrop kept as GL textures between redraws. Sending a
// large image's pixels on every redraw (as a zoomed pixel drawing does) costs far more
// than drawing it from a texture made once; the picture is the same, each window pixel
// taking the image pixel under its centre.
class CImageTextures {
public:
    CImageTextures() = default;
    CImageTextures(const CImageTextures&) = delete;
    CImageTextures& operator=(const CImageTextures&) = delete;

    // Makes or keeps the textures for the image; `serial` changes whenever its pixels do.
    // False when the image cannot be a texture here (too large for the driver, no
    // context): draw it as pixels then.
    bool Prepare(const CTexture& image, const CTexture& backdrop, uint64_t serial);
    // Frees the textures; the context that made them must be current.
    void Release();

    // Draws the prepared image as DrawImage would, in a projection in window pixels.
    void Draw(const ImageView& view, bool withBackdrop) const;

    bool HasBackdrop() const { return backdrop_ != 0; }

private:
    unsigned image_ = 0, backdrop_ = 0;
    uint64_t serial_ = ~uint64_t(0);
    int width_ = 0, height_ = 0;
    bool usable_ = false;
};

} // namespace kestrel::scene
