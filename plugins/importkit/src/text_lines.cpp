#include "importkit/text_lines.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kestrel::importkit {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view SkipBlanks(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return s.substr(i);
}

// Like strtod: a negative exponent underflows to zero, anything else overflows.
double OutOfRangeValue(std::string_view token)
{
    const bool negative = !token.empty() && token.front() == '-';
    const size_t e = token.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < token.size() && token[e + 1] == '-';
    const double magnitude = tiny ? 0.0 : HUGE_VAL;
    return negative ? -magnitude : magnitude;
}

} // namespace

bool TextLines::Next(TextLine& line)
{
    if (pos_ >= size_)
        return false;
    size_t end = pos_;
    const size_t limit = maxPiece_ ? std::min(size_, pos_ + maxPiece_) : size_;
    while (end < limit && data_[end] != '\n')
        ++end;
    line.ended = end < size_ && data_[end] == '\n';
    size_t textEnd = end;
    if (line.ended && textEnd > pos_ && data_[textEnd - 1] == '\r')
        --textEnd;
    line.text = std::string_view(data_ + pos_, textEnd - pos_);
    pos_ = line.ended ? end + 1 : end;
    return true;
}

bool ScanInt(std::string_view& s, int& out)
{
    std::string_view t = SkipBlanks(s);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    const auto r = std::from_chars(t.data(), t.data() + t.size(), out);
    if (r.ec != std::errc())
        return false;
    s = t.substr(size_t(r.ptr - t.data()));
    return true;
}

bool ScanFloat(std::string_view& s, float& out)
{
    std::string_view t = SkipBlanks(s);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    auto r = std::from_chars(t.data(), t.data() + t.size(), out);
    if (r.ec == std::errc::result_out_of_range) {
        double d = 0;
        r = std::from_chars(t.data(), t.data() + t.size(), d);
        if (r.ec == std::errc::result_out_of_range)
            d = OutOfRangeValue(std::string_view(t.data(), size_t(r.ptr - t.data())));
        out = float(d);
    } else if (r.ec != std::errc()) {
        return false;
    }
    s = t.substr(size_t(r.ptr - t.data()));
    return true;
}

bool ScanFloats(std::string_view& s, float* out, int n)
{
    std::string_view t = s;
    for (int i = 0; i < n; ++i)
        if (!ScanFloat(t, out[i]))
            return false;
    s = t;
    return true;
}

std::string_view ScanWord(std::string_view& s)
{
    std::string_view t = SkipBlanks(s);
    size_t n = 0;
    while (n < t.size() && !IsBlank(t[n]))
        ++n;
    s = t.substr(n);
    return t.substr(0, n);
}

bool After(std::string_view text, std::string_view key, std::string_view& rest)
{
    const size_t at = text.find(key);
    if (at == std::string_view::npos)
        return false;
    rest = text.substr(at + key.size());
    return true;
}

} // namespace kestrel::importkit
