#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nimbus {

// Model files larger than this are refused before they are read.
constexpr uint64_t kMaxModelFileBytes = uint64_t(1) << 30;

// The one way every file is read: models, textures, side files, images and plug-in imports.
// The file is opened without blocking, so that a named pipe or a device cannot stall the
// program, and refused unless it is a regular file of at most maxBytes; the memory used is
// what the file really holds, even when it changes while it is read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes);
// The first `count` bytes (fewer when the file is shorter), under the same rules, for a look
// at a header before deciding to read the rest.
bool ReadFileStart(const std::string& path, std::vector<uint8_t>& bytes, size_t count, uint64_t maxBytes);

// Writes to a temporary file beside the target and renames it over the target only
// once everything is on disk, so a failed write never replaces a good file.
bool WriteFileAtomically(const std::string& path, const uint8_t* data, size_t size);

} // namespace nimbus
