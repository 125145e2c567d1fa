#pragma once
#include <string>

namespace nimbus {

// Wide strings are converted only where they meet the file system. A Linux file name is
// any string of bytes: a byte that is not part of valid UTF-8 travels as the lone low
// surrogate U+DC80 + (byte - 0x80) and turns back into that same byte, so every path
// survives the round trip unchanged.
std::string Utf16ToUtf8(const char16_t* text);
std::u16string Utf8ToUtf16(const char* text);

} // namespace nimbus
