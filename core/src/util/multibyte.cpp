#include "multibyte.h"

#include <cstdint>

namespace nimbus {
namespace {
// Length of a valid UTF-8 sequence at s[i], or 0.
size_t Utf8Length(const std::string& s, size_t i, uint32_t& cp)
{
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    size_t n = 0;
    if (c >= 0xC2 && c <= 0xDF) { n = 2; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { n = 3; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { n = 4; cp = c & 0x07; }
    else return 0;
    if (i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    const uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}
} // namespace

std::u16string MultiByteToWide(const std::string& text)
{
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        uint32_t cp = 0;
        const size_t n = Utf8Length(text, i, cp);
        if (n == 0) {
            out += char16_t(static_cast<unsigned char>(text[i]));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
        i += n;
    }
    return out;
}

void CopyWide(char16_t* field, size_t fieldSize, const std::u16string& text)
{
    size_t n = 0;
    for (; n + 1 < fieldSize && n < text.size(); ++n)
        field[n] = text[n];
    for (size_t k = n; k < fieldSize; ++k)
        field[k] = 0;
}

} // namespace nimbus
