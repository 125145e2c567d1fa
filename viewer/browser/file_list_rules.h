#pragma once
// What the file list shows and in which order, without any widget: which files of a
// folder appear, their size texts, how they sort, and where Next and Previous File go.

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::browser {

// A registered file type as the list needs it (extension without the dot).
struct ListedType {
    std::string extension;
    std::string description;
};

// One row of the list.
struct FileItem {
    std::string name;     // file name without its folder
    std::string sizeText; // "%d KB"
    std::string typeText; // the type's description
    size_t typeIndex = 0; // into the types the folder was listed with
};

enum Column { kNameColumn = 0, kSizeColumn = 1, kTypeColumn = 2 };

struct SortKey {
    Column column = kNameColumn;
    bool descending = false;
};

// "%d KB" of floor(size / 1024) + 1: an empty file shows 1 KB, 1024 bytes 2 KB.
std::string SizeText(uint64_t bytes);

// Whether a file name has exactly the extension, without regard to case: "*.stl" lists
// "a.STL" but never "x.stla".
bool HasExtension(const std::string& fileName, const std::string& extension);

// The regular files of a folder that some type serves, the first type that serves a name
// giving its row, one row per file; unsorted. An unreadable folder lists nothing.
std::vector<FileItem> ListFolder(const std::string& folder, const std::vector<ListedType>& types);

// Negative, zero or positive as a sorts before, with or after b: key by key until one
// differs; sizes by their numbers, names and types without regard to case.
int CompareItems(const FileItem& a, const FileItem& b, const std::vector<SortKey>& keys);
void SortItems(std::vector<FileItem>& items, const std::vector<SortKey>& keys);

// Next and Previous File wrap around; from no current item (-1) they start at an end.
int NextItem(int current, int count);
int PreviousItem(int current, int count);

// A name in the folder that no file has yet: the name itself, else "name (2).ext",
// "name (3).ext" and so on, as pasting a file beside its namesake does.
std::string FreeNameIn(const std::string& folder, const std::string& name);

} // namespace kestrel::browser
