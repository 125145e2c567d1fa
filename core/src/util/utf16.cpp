#include "utf16.h"

#include <cstdint>

namespace nimbus {
namespace {

constexpr uint32_t kEscapeBase = 0xDC00; // + a byte of 0x80..0xFF
constexpr uint32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, uint32_t cp)
{
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

// The length of the well-formed UTF-8 sequence at s and its code point; 0 when the bytes
// there are not one (overlong forms, surrogates and values past U+10FFFF included).
size_t DecodeSequence(const unsigned char* s, uint32_t& cp)
{
    const unsigned char b = s[0];
    size_t length;
    uint32_t minimum;
    if (b < 0x80) {
        cp = b;
        return 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
        length = 2, minimum = 0x80, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3, minimum = 0x800, cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4, minimum = 0x10000, cp = b & 0x07;
    } else {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((s[k] & 0xC0) != 0x80) // also stops at the terminator
            return 0;
        cp = (cp << 6) | (s[k] & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

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
        } else if (cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF) {
            out += char(cp - kEscapeBase); // a byte of the original name
            continue;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement; // any other lone surrogate
        }
        AppendUtf8(out, cp);
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
        uint32_t cp = 0;
        const size_t length = DecodeSequence(s + i, cp);
        if (length == 0) {
            out += char16_t(kEscapeBase + s[i]);
            ++i;
            continue;
        }
        i += length;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

} // namespace nimbus
