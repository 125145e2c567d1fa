#pragma once
#include <string>

namespace kestrel::cli {

// Opens a file as the viewer does and prints what it holds as one JSON object.
// Exit codes: 0 opened, 1 not opened (the status on standard error).
int InfoCommand(const std::string& path, const std::string& plugInFolder);

} // namespace kestrel::cli
