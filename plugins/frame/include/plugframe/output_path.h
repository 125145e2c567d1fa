#pragma once
// The check an exporter makes on its output file before its job starts.

#include <string>

inline constexpr const char* kMsgDefineOutputFile = "Please define the output file!";
inline constexpr const char* kMsgInvalidOutputPath = "Invalid output path!";

enum class OutputPathCheck {
    Ok,
    Empty,        // "Please define the output file!"
    InvalidPath,  // "Invalid output path!"
};

// The folder part of a file name: everything before the last "/", or failing that
// the last "\". "" when the name has neither; "/" for a name directly under the root.
std::string OutputFolderOf(const std::string& fileName);

// Empty name: Empty. Otherwise makes the folder part the current directory (a name
// without a folder keeps the current one); InvalidPath when that fails. UTF-8.
OutputPathCheck PrepareOutputPath(const std::string& fileName);

// The warning text of a failed check, null for Ok.
const char* OutputPathMessage(OutputPathCheck check);
