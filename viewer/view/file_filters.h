#pragma once
#include <string>
#include <vector>

namespace kestrel::host {
struct FileTypeEntry;
}

// The filters of the file dialogs, written as "Description|patterns|...||" and turned into
// the form the toolkit's dialogs take.
namespace kestrel::view {

constexpr const char* kModelSaveFilter = "Kestrel Files (*.kxm3)|*.kxm3|All files (*.*)|*.*||";
constexpr const char* kImageSaveFilter =
    "Windows Bitmap Graphic (*.bmp;*.dib)|*.bmp;*.dib|JPEG Image (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
    "Targa Image (*.tga)|*.tga|Portable Network Graphics (*.png)|*.png||";

// Built from the plug-in manager's file types in list order; the native type is the last.
std::string BuildOpenFilter(const std::vector<host::FileTypeEntry>& fileTypes);

// The Save As filter of a view mode; empty in mode 0.
std::string SaveAsFilter(int viewMode);

// One entry of a dialog filter: its label and its patterns.
struct FilterEntry {
    std::string label;
    std::vector<std::string> patterns;
};

// Splits "label|a;b|label|c||" into its entries.
std::vector<FilterEntry> SplitFilter(const std::string& filter);

// "label (a b)" entries joined by ";;", each pattern in lower and upper case.
std::string ToDialogFilter(const std::string& filter);

} // namespace kestrel::view
