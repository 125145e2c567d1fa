#include "nimbus/path.h"

#include <cstddef>

namespace {
constexpr size_t kNarrowCapacity = 512;
constexpr size_t kWideCapacity = 1024;

// Length of a string that fits a buffer of `capacity` characters with its terminator,
// or capacity when it does not.
template <typename Char>
size_t BoundedLength(const Char* s, size_t capacity)
{
    size_t n = 0;
    while (n < capacity && s[n] != 0)
        ++n;
    return n;
}

template <typename Char>
bool IsSeparator(Char c) { return c == Char('\\') || c == Char('/'); }

// Returns the index of the last character matching pred, or -1.
template <typename Char, typename Pred>
ptrdiff_t FindLast(const Char* s, size_t len, Pred pred)
{
    for (size_t i = len; i > 0; --i)
        if (pred(s[i - 1]))
            return ptrdiff_t(i - 1);
    return -1;
}

template <typename Char>
bool ToDirectory(Char* path, size_t capacity)
{
    if (!path)
        return false;
    const size_t len = BoundedLength(path, capacity);
    if (len >= capacity)
        return false;
    const ptrdiff_t sep = FindLast(path, len, IsSeparator<Char>);
    if (sep < 0) {
        path[0] = 0;
        return false;
    }
    path[sep + 1] = 0;
    return true;
}

template <typename Char>
bool ToFilename(Char* path, size_t capacity)
{
    if (!path)
        return false;
    const size_t len = BoundedLength(path, capacity);
    if (len >= capacity)
        return false;
    const ptrdiff_t sep = FindLast(path, len, IsSeparator<Char>);
    if (sep < 0)
        return false;
    size_t out = 0;
    for (size_t i = size_t(sep) + 1; i <= len; ++i)
        path[out++] = path[i];
    return true;
}

template <typename Char>
Char ToUpperAscii(Char c) { return (c >= Char('a') && c <= Char('z')) ? Char(c - 'a' + 'A') : c; }

template <typename Char>
bool ToExtension(Char* path, size_t capacity)
{
    if (!path)
        return false;
    const size_t len = BoundedLength(path, capacity);
    if (len >= capacity)
        return false;
    const ptrdiff_t dot = FindLast(path, len, [](Char c) { return c == Char('.'); });
    if (dot < 0) {
        path[0] = 0;
        return false;
    }
    size_t out = 0;
    for (size_t i = size_t(dot) + 1; i <= len; ++i)
        path[out++] = ToUpperAscii(path[i]);
    return true;
}
} // namespace

bool skfPathToDirectory(char* path) { return ToDirectory(path, kNarrowCapacity); }
bool skfPathToFilename(char* path) { return ToFilename(path, kNarrowCapacity); }
bool skfPathToExtension(char* path) { return ToExtension(path, kNarrowCapacity); }
bool skfWPathToDirectory(char16_t* path) { return ToDirectory(path, kWideCapacity); }
bool skfWPathToFilename(char16_t* path) { return ToFilename(path, kWideCapacity); }
bool skfWPathToExtension(char16_t* path) { return ToExtension(path, kWideCapacity); }
