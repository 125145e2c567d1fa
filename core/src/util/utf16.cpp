#include "utf16.h"

#include <cstdint>

namespace nimbus {

std::string Utf16ToUtf8(const char16_t* text)
{
    std::string out;
    if (!text)
        return out;
    for (size_t i = 0; text[i]; ++i) {
        uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (uint32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD; // lone surrogate
        }
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(const char* text)
{
    std::u16string out;
    if (!text)
        return out;
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    size_t i = 0;
    while (s[i]) {
        uint32_t cp = s[i];
        int extra = 0;
        if (cp >= 0xF0 && cp < 0xF8) { cp &= 0x07; extra = 3; }
        else if (cp >= 0xE0) { cp &= 0x0F; extra = 2; }
        else if (cp >= 0xC0) { cp &= 0x1F; extra = 1; }
        else if (cp >= 0x80) { cp = 0xFFFD; }
        ++i;
        for (int k = 0; k < extra; ++k) {
            if ((s[i] & 0xC0) != 0x80) {
                cp = 0xFFFD;
                break;
            }
            cp = (cp << 6) | (s[i] & 0x3F);
            ++i;
        }
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp > 0x10FFFF ? 0xFFFD : cp);
        }
    }
    return out;
}

} // namespace nimbus
