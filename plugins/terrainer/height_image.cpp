#include "height_image.h"

#include <algorithm>
#include <cctype>

#include "image/codecs.h"
#include "image/freeimage_session.h"
#include "util/file_io.h"

namespace kestrel::terrain {

namespace {

using Decoder = bool (*)(const uint8_t*, size_t, SkDecodedImage&);

std::string LowerExtension(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

Decoder DecoderFor(const std::string& ext)
{
    using namespace nimbus::image;
    if (ext == "bmp" || ext == "dib")
        return DecodeBmp;
    if (ext == "jpg" || ext == "jpeg")
        return DecodeJpeg;
    if (ext == "png")
        return DecodePng;
    if (ext == "tga")
        return DecodeTga;
    if (ext == "pcx")
        return DecodePcx;
    if (ext == "cel" || ext == "pic")
        return DecodeCel;
    if (ext == "gif")
        return DecodeGif;
    if (ext == "dds")
        return DecodeDds;
    return nullptr;
}

// The library-backed readers need the shared library session while they run.
class CFreeImageUse {
public:
    CFreeImageUse() { nimbus::image::AcquireFreeImage(); }
    ~CFreeImageUse() { nimbus::image::ReleaseFreeImage(); }
};

} // namespace

bool LoadHeightImage(const std::string& path, HeightImage& out)
{
    out = {};
    const Decoder decode = DecoderFor(LowerExtension(path));
    if (!decode)
        return false;
    std::vector<uint8_t> bytes;
    if (!nimbus::ReadWholeFile(path, bytes, nimbus::image::kMaxFileBytes))
        return false;
    SkDecodedImage image;
    {
        CFreeImageUse session;
        if (!decode(bytes.data(), bytes.size(), image))
            return false;
    }
    if ((image.bpp != 24 && image.bpp != 32) || image.width == 0 || image.height == 0 ||
        image.pixels.size() != size_t(image.width) * image.height * (image.bpp / 8))
        return false;
    out.width = image.width;
    out.height = image.height;
    out.bpp = image.bpp;
    out.pixels = std::move(image.pixels);
    return true;
}

HeightImage AlphaAsGray(const HeightImage& image)
{
    HeightImage gray;
    if (image.bpp != 32 || image.pixels.size() != size_t(image.width) * image.height * 4)
        return gray;
    gray.width = image.width;
    gray.height = image.height;
    gray.bpp = 24;
    const size_t count = size_t(image.width) * image.height;
    gray.pixels.resize(count * 3);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t alpha = image.pixels[i * 4 + 3];
        gray.pixels[i * 3] = gray.pixels[i * 3 + 1] = gray.pixels[i * 3 + 2] = alpha;
    }
    return gray;
}

} // namespace kestrel::terrain
