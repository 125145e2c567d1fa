#pragma once
// What happened in a watched folder, from the kernel's change records, without any widget:
// a rename inside the folder is one change, not a removal and an addition.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::browser {

enum class ChangeKind { Added, Removed, Renamed, Modified };

struct FolderChange {
    ChangeKind kind = ChangeKind::Added;
    std::string name;    // the file's name now (its old name when Removed)
    std::string oldName; // Renamed only
    bool operator==(const FolderChange&) const = default;
};

// One change record as the kernel reports it.
enum RecordKind : uint32_t {
    kCreated = 1u << 0,
    kDeleted = 1u << 1,
    kMovedOut = 1u << 2,
    kMovedIn = 1u << 3,
    kWritten = 1u << 4,
    kIsFolder = 1u << 5,
};

struct ChangeRecord {
    uint32_t kinds = 0;  // RecordKind bits
    uint32_t cookie = 0; // joins a move's two halves
    std::string name;
};

// Renames become one change when both halves arrived in the batch; a half alone is an
// addition or a removal. Folders are left out: the list shows files only.
std::vector<FolderChange> PairChanges(const std::vector<ChangeRecord>& records);

} // namespace kestrel::browser
