#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Splits a text file into the pieces a 256-byte line buffer would give (at most 255
// characters, a longer line continuing in the next piece), and reads numbers the same way
// in every locale.
namespace nimbus::text {

class LineReader {
public:
    static constexpr size_t kMaxPiece = 255;

    LineReader(const char* data, size_t size) : data_(data), size_(data ? size : 0) {}
    // False at the end of the text.
    bool Next(std::string_view& line);
    size_t LineNumber() const { return lineNumber_; }
    size_t Remaining() const { return size_ - pos_; }

private:
    const char* data_;
    size_t size_;
    size_t pos_ = 0;
    size_t lineNumber_ = 0;
};

// Field scanners: each skips leading white space, reads one value and advances `s`.
bool ScanInt(std::string_view& s, int& out);
bool ScanFloat(std::string_view& s, float& out);
// A double-quoted name that may be empty; true when both quotes were found.
bool ScanQuoted(std::string_view& s, std::string& out);
// True when the text starts with the literal after optional white space, and skips it.
bool ScanLiteral(std::string_view& s, std::string_view literal);

} // namespace nimbus::text
