#pragma once

// Where the pieces of a thumbnail go, without any drawing: the file list's 96 x 84 picture
// and the model's off-screen rendering behind it.
namespace kestrel::thumbnail {

constexpr int kWidth = 96;
constexpr int kHeight = 84;
// A model is drawn at four times the thumbnail's size and filtered down.
constexpr int kModelOversampling = 4;
// The largest side of the off-screen model picture, whatever size is asked for.
constexpr int kMaxModelPictureSide = 4096;

struct Rect {
    int x = 0, y = 0; // top-left corner, y growing downwards
    int width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

// The rectangle an image of w x h takes in a W x H thumbnail: larger in either direction
// means scaled by min(W / w, H / h) with the limiting side filling the frame, otherwise
// its own size; centred in integer halves. Empty for an empty image or frame.
Rect ImageTarget(int imageWidth, int imageHeight, int frameWidth = kWidth, int frameHeight = kHeight);

// The size of the off-screen model picture for a W x H thumbnail: four times as large
// (384 x 336 for 96 x 84), brought down to at most 4096 on its longer side.
Size ModelPictureSize(int frameWidth = kWidth, int frameHeight = kHeight);

} // namespace kestrel::thumbnail
