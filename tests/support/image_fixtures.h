#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::test {
// Writes bytes to a file, replacing it.
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
} // namespace kestrel::test
