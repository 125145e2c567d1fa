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
} // namespace

std::string JsonQuote(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char esc[8];
                std::snprintf(esc, sizeof(esc), "\\u%04x", c);
                out += esc;
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
