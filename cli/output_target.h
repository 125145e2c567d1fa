#pragma once
#include <string>

namespace kestrel::cli {

// Why the file at `path` cannot be replaced (a read-only file, a folder, a missing folder),
// for the user; empty when it can. Checked before writing, so that a refusal is reported
// with its reason rather than as a bare failure.
std::string WriteRefusalFor(const std::string& path);

// Prints the message to standard error, followed by the refusal's reason when there is one.
void ReportWriteFailure(const std::string& message, const std::string& refusal);

} // namespace kestrel::cli
