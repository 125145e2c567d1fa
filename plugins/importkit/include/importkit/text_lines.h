#pragma once
// Splitting a text file held in memory into lines, and reading numbers the same way
// in every locale.

#include <cstddef>
#include <string_view>

namespace kestrel::importkit {

struct TextLine {
    std::string_view text;  // without the line end ("\n" or "\r\n")
    bool ended = false;     // a line end followed the text
};

class TextLines {
public:
    // maxPiece > 0 hands out a longer line in pieces of at most that many characters,
    // as a fixed line buffer would; 0 hands out whole lines.
    TextLines(const char* data, size_t size, size_t maxPiece = 0)
        : data_(data), size_(data ? size : 0), maxPiece_(maxPiece)
    {
    }

    // False at the end of the text.
    bool Next(TextLine& line);
    void Rewind() { pos_ = 0; }

private:
    const char* data_;
    size_t size_;
    size_t maxPiece_;
    size_t pos_ = 0;
};

// Field scanners: each skips leading blanks (space, tab, line-end characters), reads
// one value and advances `s`; false leaves `s` unchanged. Floats follow strtof: out
// of range becomes infinite or zero; "inf" and "nan" are accepted.
bool ScanInt(std::string_view& s, int& out);
bool ScanFloat(std::string_view& s, float& out);
// Scans n floats; false when any is missing.
bool ScanFloats(std::string_view& s, float* out, int n);
// The next run of non-blank characters; empty at the end.
std::string_view ScanWord(std::string_view& s);
// The text after the first occurrence of key, or false when there is none.
bool After(std::string_view text, std::string_view key, std::string_view& rest);

} // namespace kestrel::importkit
