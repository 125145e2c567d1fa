#pragma once
// The video command lives in a module of its own, loaded only when it runs: the encoders it
// links pull in about a hundred libraries that every other command would load for nothing.

#include <string>
#include <vector>

namespace kestrel::cli {

// Found through the program's run path: beside the engine library, in the build tree and
// in an install alike.
constexpr const char* kVideoModuleName = "libkestrel_cli_video.so";
constexpr const char* kVideoEntryName = "KestrelCliVideo";

// What the entry returns for arguments it cannot take; error says why.
constexpr int kVideoUsageError = -1;

// The module's entry: the arguments after "video"; the exit code, or kVideoUsageError.
using VideoEntry = int (*)(const std::vector<std::string>* args, std::string* error);

// Loads the module and runs the command; 1 with a message on standard error when the module
// cannot be loaded.
int RunVideoModule(const std::vector<std::string>& args, std::string& error);

} // namespace kestrel::cli
