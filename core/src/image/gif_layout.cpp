#include "gif_layout.h"

#include <cstring>

#include "util/byte_reader.h"

namespace nimbus::image {
namespace {

constexpr size_t kSignatureSize = 6;
constexpr uint8_t kExtensionIntroducer = 0x21;
constexpr uint8_t kImageSeparator = 0x2C;
constexpr uint8_t kColourTableFlag = 0x80;
constexpr uint8_t kColourTableSizeBits = 0x07;

// Any size up to this opens whatever the file's length.
constexpr uint64_t kPixelsAlwaysAccepted = uint64_t(1) << 20;
constexpr uint64_t kPixelsPerFileByte = 4096;

bool SkipColourTable(ByteReader& in, uint8_t packed)
{
    if (!(packed & kColourTableFlag))
        return true;
    return in.Skip(3 * (size_t(2) << (packed & kColourTableSizeBits)));
}

// Data sub-blocks: a length byte, that many bytes, and a zero length at the end.
bool SkipSubBlocks(ByteReader& in)
{
    for (;;) {
        const uint8_t length = in.U8();
        if (!in.Ok())
            return false;
        if (length == 0)
            return true;
        if (!in.Skip(length))
            return false;
    }
}

} // namespace

bool ReadGifLayout(const uint8_t* data, size_t size, GifLayout& out)
{
    out = GifLayout();
    if (!data || size < kSignatureSize ||
        (std::memcmp(data, "GIF87a", kSignatureSize) != 0 && std::memcmp(data, "GIF89a", kSignatureSize) != 0))
        return false;
    ByteReader in(data, size);
    in.Skip(kSignatureSize);
    out.screenWidth = in.U16();
    out.screenHeight = in.U16();
    const uint8_t screenFlags = in.U8();
    in.Skip(2);  // background colour and pixel aspect
    if (!in.Ok() || !SkipColourTable(in, screenFlags))
        return false;
    for (;;) {
        const uint8_t introducer = in.U8();
        if (!in.Ok())
            return false;
        if (introducer == kExtensionIntroducer) {
            in.Skip(1);  // the extension's label
            if (!SkipSubBlocks(in))
                return false;
            continue;
        }
        if (introducer != kImageSeparator)
            return false;  // the trailer or an unknown block: no frame
        out.frameLeft = in.U16();
        out.frameTop = in.U16();
        out.frameWidth = in.U16();
        out.frameHeight = in.U16();
        return in.Ok();
    }
}

GifCanvas CanvasOf(const GifLayout& layout)
{
    const bool fits = uint64_t(layout.frameLeft) + layout.frameWidth <= layout.screenWidth &&
                      uint64_t(layout.frameTop) + layout.frameHeight <= layout.screenHeight;
    if (!fits)
        return {layout.frameWidth, layout.frameHeight, 0, 0};
    return {layout.screenWidth, layout.screenHeight, layout.frameLeft, layout.frameTop};
}

bool GifCanvasFitsFile(uint64_t width, uint64_t height, size_t fileSize)
{
    const uint64_t pixels = width * height;
    return pixels <= kPixelsAlwaysAccepted || pixels / kPixelsPerFileByte <= uint64_t(fileSize);
}

} // namespace nimbus::image
