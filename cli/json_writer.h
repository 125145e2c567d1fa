#pragma once
#include <string>
#include <vector>

namespace kestrel::cli {

// Builds one JSON object, key by key, in the order given.
class JsonObject {
public:
    void String(const std::string& key, const std::string& value);
    void Number(const std::string& key, double value);
    void Integer(const std::string& key, long long value);
    void Bool(const std::string& key, bool value);
    void Numbers(const std::string& key, const std::vector<double>& values);
    void Strings(const std::string& key, const std::vector<std::string>& values);
    std::string Text() const { return "{" + body_ + "}"; }

private:
    void Key(const std::string& key);
    std::string body_;
};

// A JSON string literal, quotes included.
std::string JsonQuote(const std::string& text);

} // namespace kestrel::cli
