#pragma once
#include <string>

namespace nimbus {

// Wide strings are converted only where they meet the file system.
std::string Utf16ToUtf8(const char16_t* text);
std::u16string Utf8ToUtf16(const char* text);

} // namespace nimbus
