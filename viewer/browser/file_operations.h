#pragma once
// The file list's operations on files: rename, move to the trash and paste copies, each
// reporting a message the status bar can show. No widgets.

#include <string>
#include <vector>

namespace kestrel::browser {

struct FileOutcome {
    bool ok = false;
    std::string message; // for the status bar, success or failure
    std::string name;    // the file's name afterwards (rename, paste)
};

// Renames a file of `folder`; refuses names with a folder separator and names that are
// taken, so a rename never replaces another file.
FileOutcome RenameFile(const std::string& folder, const std::string& oldName, const std::string& newName);

// Moves a file to the user's trash, from where it can be restored.
FileOutcome MoveFileToTrash(const std::string& path);

// Copies each file into `folder` under a free name ("name (2).ext" beside its namesake),
// through a temporary file that is renamed when complete.
std::vector<FileOutcome> CopyFilesInto(const std::string& folder, const std::vector<std::string>& sources);

} // namespace kestrel::browser
