#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Telling a file's format from its first bytes, for files whose extension is missing or
// names no registered type. The answer is the extension the format is registered under.
namespace kestrel::doc {

// How many leading bytes the sniffer looks at.
constexpr size_t kSniffBytes = 512;

// The upper-case extension of the format `head` begins (at most kSniffBytes of a file of
// fileSize bytes), or empty when no format we read fits. Strong magic numbers are tried
// first, header checks without one (PCX, clipboard DIB, TGA) last.
std::string SniffExtension(const uint8_t* head, size_t headSize, uint64_t fileSize);

// Reads the head of a file and sniffs it; empty when it cannot be read.
std::string SniffFile(const std::string& path);

} // namespace kestrel::doc
