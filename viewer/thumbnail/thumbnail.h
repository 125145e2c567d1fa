#pragma once
#include <string>

#include "picture.h"
#include "thumbnail_geometry.h"

class CTexture;

namespace kestrel::doc {
struct Document;
}

// The file list's picture of a document: white with the image or the model's picture in
// it, framed in light grey. Every picture here is RGB32 and exactly the size asked for.
namespace kestrel::thumbnail {

constexpr uint32_t kFrameColour = Rgb(192, 192, 192);
constexpr uint32_t kBlankColour = Rgb(255, 255, 255);

// An empty document's thumbnail: white and framed.
Picture EmptyThumbnail(int width = kWidth, int height = kHeight);

// An image document's thumbnail: the image scaled down when it does not fit, centred.
Picture ImageThumbnail(const CTexture& image, int width = kWidth, int height = kHeight);

// A model document's thumbnail from its off-screen picture (see model_picture.h), filtered
// into the whole frame.
Picture ModelThumbnail(const Picture& picture, int width = kWidth, int height = kHeight);

// The thumbnail of the document in its view mode. A model is drawn in the process's
// off-screen context, which is left current; without one the result is null and *error
// says why. Textures show only when they were made in that context, as the command line
// makes them; a window whose model lives in its own context draws DrawModelPicture there
// and hands the result to ModelThumbnail.
Picture RenderThumbnail(doc::Document& document, int width = kWidth, int height = kHeight,
                       std::string* error = nullptr);

// The texture's pixels top row first with the alpha channel dropped; null when the
// texture is not 24 or 32 bits or holds fewer bytes than its size needs.
Picture TextureToImage(const CTexture& texture);

} // namespace kestrel::thumbnail
