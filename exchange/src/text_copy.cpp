#include "text_copy.h"

#include <cstdint>
#include <cstring>

namespace tessera {
namespace {

// Length of the UTF-8 sequence a lead byte starts (1 for anything else).
size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF7)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// Drops a multi-byte sequence that the cut at `length` left incomplete.
size_t TrimPartialSequence(const char* text, size_t length)
{
    size_t start = length;
    while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80 && length - start < 3)
        --start;
    if (start == 0)
        return length;
    const unsigned char lead = static_cast<unsigned char>(text[start - 1]);
    if (lead < 0xC0)
        return length;
    return SequenceLength(lead) > length - start + 1 ? start - 1 : length;
}

size_t AppendCodePoint(char* out, uint32_t cp)
{
    if (cp < 0x80) {
        out[0] = char(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = char(0xC0 | (cp >> 6));
        out[1] = char(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = char(0xE0 | (cp >> 12));
        out[1] = char(0x80 | ((cp >> 6) & 0x3F));
        out[2] = char(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = char(0xF0 | (cp >> 18));
    out[1] = char(0x80 | ((cp >> 12) & 0x3F));
    out[2] = char(0x80 | ((cp >> 6) & 0x3F));
    out[3] = char(0x80 | (cp & 0x3F));
    return 4;
}

} // namespace

void CopyText(char* field, size_t size, const char* text)
{
    if (!field || size == 0)
        return;
    size_t length = 0;
    if (text) {
        while (length < size - 1 && text[length])
            ++length;
        if (text[length])
            length = TrimPartialSequence(text, length);
        std::memmove(field, text, length);
    }
    std::memset(field + length, 0, size - length);
}

void CopyWideText(char* field, size_t size, const char16_t* text)
{
    if (!field || size == 0)
        return;
    size_t length = 0;
    for (size_t i = 0; text && text[i]; ++i) {
        uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (uint32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        char encoded[4];
        const size_t n = AppendCodePoint(encoded, cp);
        if (length + n > size - 1)
            break;
        std::memcpy(field + length, encoded, n);
        length += n;
    }
    std::memset(field + length, 0, size - length);
}

} // namespace tessera
