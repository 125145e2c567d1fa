#pragma once
// Reading the file an importer was handed: the host passes a UTF-16 name.

#include <cstdint>
#include <vector>

namespace kestrel::importkit {

// Reads the whole file into bytes. False for a null or empty name, or a file that cannot be
// opened or read, is not a regular file, or is larger than any model the engine reads.
bool ReadImportFile(const char16_t* fileName, std::vector<uint8_t>& bytes);

} // namespace kestrel::importkit
