#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "util/file_io.h"

namespace nimbus::readers {

using nimbus::kMaxModelFileBytes;

// Reads the whole file; false when the path is empty or the file cannot be read.
bool ReadModelFile(const char* path, std::vector<uint8_t>& bytes);

} // namespace nimbus::readers
