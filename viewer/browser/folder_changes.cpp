#include "folder_changes.h"

#include <unordered_map>

namespace kestrel::browser {

std::vector<FolderChange> PairChanges(const std::vector<ChangeRecord>& records)
{
    std::vector<FolderChange> changes;
    // Where each move's first half went in `changes`, until its second half comes.
    std::unordered_map<uint32_t, size_t> movedOut;
    for (const ChangeRecord& record : records) {
        if ((record.kinds & kIsFolder) || record.name.empty())
            continue;
        if (record.kinds & kMovedOut) {
            movedOut[record.cookie] = changes.size();
            changes.push_back(FolderChange{ChangeKind::Removed, record.name, {}});
        } else if (record.kinds & kMovedIn) {
            const auto half = movedOut.find(record.cookie);
            if (record.cookie != 0 && half != movedOut.end()) {
                FolderChange& change = changes[half->second];
                change.oldName = change.name;
                change.name = record.name;
                change.kind = ChangeKind::Renamed;
                movedOut.erase(half);
            } else {
                changes.push_back(FolderChange{ChangeKind::Added, record.name, {}});
            }
        } else if (record.kinds & kCreated) {
            changes.push_back(FolderChange{ChangeKind::Added, record.name, {}});
        } else if (record.kinds & kDeleted) {
            changes.push_back(FolderChange{ChangeKind::Removed, record.name, {}});
        } else if (record.kinds & kWritten) {
            changes.push_back(FolderChange{ChangeKind::Modified, record.name, {}});
        }
    }
    return changes;
}

} // namespace kestrel::browser
