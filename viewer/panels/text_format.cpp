#include "text_format.h"

#include <cstdarg>
#include <cstdio>

namespace kestrel::panels {

std::string FormatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(size_t(length));
        // The terminator goes into the string's own spare byte.
        std::vsnprintf(text.data(), size_t(length) + 1, format, again);
    }
    va_end(again);
    return text;
}

} // namespace kestrel::panels
