#pragma once
// Reading the file an importer was handed: the host passes a UTF-16 name.

#include <cstdint>
#include <vector>

namespace kestrel::importkit {

// Reads the whole file into bytes. False for a null or empty name, a name that is not
// valid UTF-16, or a file that cannot be opened or read.
bool ReadImportFile(const char16_t* fileName, std::vector<uint8_t>& bytes);

} // namespace kestrel::importkit
