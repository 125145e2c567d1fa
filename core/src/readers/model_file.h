#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nimbus::readers {

// Model files larger than this are refused before they are read.
constexpr uint64_t kMaxModelFileBytes = uint64_t(1) << 30;

// Reads the whole file; false when the path is empty or the file cannot be read.
bool ReadModelFile(const char* path, std::vector<uint8_t>& bytes);

} // namespace nimbus::readers
