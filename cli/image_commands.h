#pragma once
#include <string>
#include <vector>

namespace kestrel::cli {

// Each command returns the process exit code and reports on stdout / stderr.
int ImageConvert(const std::string& input, const std::string& output, const std::vector<std::string>& edits);
int WriteSampleImage(const std::string& output);

} // namespace kestrel::cli
