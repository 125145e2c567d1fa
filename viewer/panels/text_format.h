#pragma once
#include <string>

namespace kestrel::panels {

// printf-style formatting into a string of any length; names from files are copied byte
// for byte, so nothing is cut or changed.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace kestrel::panels
