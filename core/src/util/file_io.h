#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nimbus {

// Reads a whole regular file; false if it cannot be opened, read, or exceeds maxBytes.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes);

// Writes to a temporary file beside the target and renames it over the target only
// once everything is on disk, so a failed write never replaces a good file.
bool WriteFileAtomically(const std::string& path, const uint8_t* data, size_t size);

} // namespace nimbus
