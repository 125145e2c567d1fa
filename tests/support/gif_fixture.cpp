#include "gif_fixture.h"

#include <algorithm>

namespace kestrel::test {
namespace {

constexpr int kMinCodeSize = 8;
constexpr uint32_t kClearCode = 1u << kMinCodeSize;
constexpr uint32_t kEndCode = kClearCode + 1;
constexpr int kCodeBits = kMinCodeSize + 1;
// Literals after a clear before the decoder's table would reach 2^kCodeBits entries.
constexpr int kLiteralsPerClear = (1 << kMinCodeSize) - 2;

void Append16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

class CodeWriter {
public:
    void Put(uint32_t code)
    {
        bits_ |= code << count_;
        count_ += kCodeBits;
        while (count_ >= 8) {
            bytes_.push_back(uint8_t(bits_));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    std::vector<uint8_t> Finish()
    {
        if (count_ > 0)
            bytes_.push_back(uint8_t(bits_));
        return bytes_;
    }

private:
    uint32_t bits_ = 0;
    int count_ = 0;
    std::vector<uint8_t> bytes_;
};

std::vector<uint8_t> LiteralCodes(const std::vector<uint8_t>& indices)
{
    CodeWriter codes;
    int sinceClear = kLiteralsPerClear;
    for (uint8_t index : indices) {
        if (sinceClear == kLiteralsPerClear) {
            codes.Put(kClearCode);
            sinceClear = 0;
        }
        codes.Put(index);
        ++sinceClear;
    }
    codes.Put(kEndCode);
    return codes.Finish();
}

} // namespace

std::vector<uint8_t> MakeGif(uint16_t screenWidth, uint16_t screenHeight, const std::vector<uint32_t>& paletteRgb,
                             const GifFrame& frame)
{
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    Append16(out, screenWidth);
    Append16(out, screenHeight);
    int tableBits = 1;
    while ((size_t(1) << tableBits) < paletteRgb.size())
        ++tableBits;
    out.push_back(uint8_t(0x80 | (tableBits - 1)));  // a global table of 2^tableBits colours
    out.push_back(0);                                 // background colour
    out.push_back(0);                                 // pixel aspect
    for (size_t i = 0; i < (size_t(1) << tableBits); ++i) {
        const uint32_t c = i < paletteRgb.size() ? paletteRgb[i] : 0;
        out.insert(out.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
    if (frame.transparentIndex >= 0)  // graphic control extension with a transparent colour
        out.insert(out.end(), {0x21, 0xF9, 4, 0x01, 0, 0, uint8_t(frame.transparentIndex), 0});
    out.push_back(0x2C);
    Append16(out, frame.left);
    Append16(out, frame.top);
    Append16(out, frame.width);
    Append16(out, frame.height);
    out.push_back(0);  // no local table, not interlaced
    out.push_back(kMinCodeSize);
    const std::vector<uint8_t> data = LiteralCodes(frame.indices);
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t length = std::min<size_t>(255, data.size() - at);
        out.push_back(uint8_t(length));
        out.insert(out.end(), data.begin() + long(at), data.begin() + long(at + length));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

} // namespace kestrel::test
