#include "json_writer.h"

#include <cmath>
#include <cstdio>

namespace kestrel::cli {
namespace {
std::string NumberText(double v)
{
    if (!std::isfinite(v))
        return "null"; // JSON has no infinities
    char text[32];
    std::snprintf(text, sizeof(text), "%.9g", v);
    return text;
}
// Length of the well-formed UTF-8 sequence at p (no overlong forms, surrogates or code
// points past U+10FFFF), or 0 when the bytes there are not one.
size_t Utf8SequenceLength(const unsigned char* p, size_t left)
{
    const unsigned char c = p[0];
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // bounds of the second byte
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        length = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        low = c == 0xE0 ? 0xA0 : 0x80;
        high = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (left < length || p[1] < low || p[1] > high)
        return 0;
    for (size_t k = 2; k < length; ++k)
        if (p[k] < 0x80 || p[k] > 0xBF)
            return 0;
    return length;
}

void AppendEscape(std::string& out, unsigned code)
{
    char esc[8];
    std::snprintf(esc, sizeof(esc), "\\u%04x", code);
    out += esc;
}

} // namespace

std::string JsonQuote(const std::string& text)
{
    std::string out = "\"";
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = bytes[i];
        if (c >= 0x80) {
            // Names in model files are often in an 8-bit code page: a byte that is not part
            // of valid UTF-8 is taken as Latin-1, so the output always parses.
            const size_t length = Utf8SequenceLength(bytes + i, text.size() - i);
            if (length == 0) {
                AppendEscape(out, c);
            } else {
                out.append(text, i, length);
                i += length - 1;
            }
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                AppendEscape(out, c);
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

void JsonObject::Key(const std::string& key)
{
    if (!body_.empty())
        body_ += ", ";
    body_ += JsonQuote(key) + ": ";
}

void JsonObject::String(const std::string& key, const std::string& value)
{
    Key(key);
    body_ += JsonQuote(value);
}

void JsonObject::Number(const std::string& key, double value)
{
    Key(key);
    body_ += NumberText(value);
}

void JsonObject::Integer(const std::string& key, long long value)
{
    Key(key);
    body_ += std::to_string(value);
}

void JsonObject::Bool(const std::string& key, bool value)
{
    Key(key);
    body_ += value ? "true" : "false";
}

void JsonObject::Numbers(const std::string& key, const std::vector<double>& values)
{
    Key(key);
    body_ += "[";
    for (size_t i = 0; i < values.size(); ++i)
        body_ += (i ? ", " : "") + NumberText(values[i]);
    body_ += "]";
}

void JsonObject::Strings(const std::string& key, const std::vector<std::string>& values)
{
    Key(key);
    body_ += "[";
    for (size_t i = 0; i < values.size(); ++i)
        body_ += (i ? ", " : "") + JsonQuote(values[i]);
    body_ += "]";
}

} // namespace kestrel::cli
