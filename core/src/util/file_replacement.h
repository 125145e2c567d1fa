#pragma once
#include <string>
#include <sys/types.h>

// Replacing a file safely: the new content goes to a temporary file beside the real target
// and is renamed over it only when complete. Shared by the engine, the viewer and the
// plug-ins' writers (compiled into each, as it needs nothing but the C library).
namespace nimbus {

enum class ReplaceRefusal {
    None,
    BadPath,     // empty, or its folder cannot be found
    NotRegular,  // the target exists and is a folder, device or pipe
    ReadOnly,    // the target exists and is not writable
    CannotCreate // no temporary file can be made beside the target
};

struct FileReplacement {
    std::string target;    // where the content ends up: symbolic links followed
    std::string temporary; // beside the target, its name within the file system's limit
    int fd = -1;
    bool replacesFile = false; // the target existed: its permissions are kept
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

// The file a write to `path` really changes: through symbolic links (also dangling ones)
// to their target, so that the link stays a link.
std::string ResolveWriteTarget(const std::string& path);

// A temporary name in the folder of `target` whose last component fits NAME_MAX.
std::string TemporaryNameBeside(const std::string& target);

// Resolves and checks the target, then creates the temporary file.
ReplaceRefusal BeginReplacement(const std::string& path, FileReplacement& r);
// Gives the temporary file the target's permissions (or those of a new file), syncs it and
// renames it over the target; on failure the target is untouched and the temporary removed.
bool CommitReplacement(FileReplacement& r);
// Closes and removes the temporary file.
void AbandonReplacement(FileReplacement& r);

// The message for a refusal, for the user.
const char* DescribeRefusal(ReplaceRefusal refusal);

} // namespace nimbus
