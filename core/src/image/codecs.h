#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "decoded_image.h"

// Decoders work on a whole file in memory and never read outside it.
namespace nimbus::image {

bool DecodeTga(const uint8_t* data, size_t size, SkDecodedImage& out);
bool DecodePcx(const uint8_t* data, size_t size, SkDecodedImage& out);
bool DecodeCel(const uint8_t* data, size_t size, SkDecodedImage& out);
bool DecodeBmp(const uint8_t* data, size_t size, SkDecodedImage& out);
bool DecodeJpeg(const uint8_t* data, size_t size, SkDecodedImage& out);
bool DecodePng(const uint8_t* data, size_t size, SkDecodedImage& out);
bool DecodeGif(const uint8_t* data, size_t size, SkDecodedImage& out);
bool DecodeDds(const uint8_t* data, size_t size, SkDecodedImage& out);

// Pixels handed to an encoder: 24- or 32-bit, bottom row first.
struct ImageView {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bpp = 0;
    const uint8_t* pixels = nullptr;
};

// Encoders fill `file` with the whole file; they refuse other depths and empty images.
bool EncodeBmp(const ImageView& image, std::vector<uint8_t>& file);
bool EncodeTga(const ImageView& image, std::vector<uint8_t>& file);
bool EncodeJpeg(const ImageView& image, std::vector<uint8_t>& file);
bool EncodePng(const ImageView& image, std::vector<uint8_t>& file);

} // namespace nimbus::image
