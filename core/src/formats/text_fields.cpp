#include "text_fields.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace nimbus::text {
namespace {
void SkipSpace(std::string_view& s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
}
} // namespace

bool LineReader::Next(std::string_view& line)
{
    if (pos_ >= size_)
        return false;
    size_t end = pos_;
    while (end < size_ && end - pos_ < kMaxPiece && data_[end] != '\n')
        ++end;
    const bool newline = end < size_ && data_[end] == '\n';
    line = std::string_view(data_ + pos_, end - pos_);
    pos_ = newline ? end + 1 : end;
    if (newline || pos_ >= size_)
        ++lineNumber_;
    return true;
}

bool ScanInt(std::string_view& s, int& out)
{
    SkipSpace(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    if (r.ec != std::errc())
        return false;
    s.remove_prefix(size_t(r.ptr - s.data()));
    return true;
}

bool ScanFloat(std::string_view& s, float& out)
{
    SkipSpace(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    if (r.ec == std::errc::result_out_of_range) {
        // Like strtof: too large becomes infinite, too small becomes zero.
        double d = 0;
        std::from_chars(s.data(), s.data() + s.size(), d);
        out = float(d);
    } else if (r.ec != std::errc()) {
        return false;
    }
    s.remove_prefix(size_t(r.ptr - s.data()));
    return true;
}

bool ScanQuoted(std::string_view& s, std::string& out)
{
    SkipSpace(s);
    if (s.empty() || s.front() != '"')
        return false;
    const size_t close = s.find('"', 1);
    if (close == std::string_view::npos)
        return false;
    out.assign(s.substr(1, close - 1));
    s.remove_prefix(close + 1);
    return true;
}

bool ScanLiteral(std::string_view& s, std::string_view literal)
{
    if (s.substr(0, literal.size()) != literal)
        return false;
    s.remove_prefix(literal.size());
    return true;
}

} // namespace nimbus::text
