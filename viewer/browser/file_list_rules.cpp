#include "file_list_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <unordered_set>

namespace kestrel::browser {
namespace {

namespace fs = std::filesystem;

constexpr uint64_t kBytesPerKilobyte = 1024;
constexpr int kFirstCopyNumber = 2;
constexpr int kLastCopyNumber = 100000;

char Lower(char c)
{
    return char(std::tolower(static_cast<unsigned char>(c)));
}

int CompareWithoutCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = Lower(a[i]), y = Lower(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The number a "%d KB" text shows; 0 for anything else.
long long Kilobytes(const std::string& text)
{
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        if (value > std::numeric_limits<long long>::max() / 10 - 10)
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

int Sign(long long v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

} // namespace

std::string SizeText(uint64_t bytes)
{
    const uint64_t kb = bytes / kBytesPerKilobyte + 1;
    char text[32];
    std::snprintf(text, sizeof(text), "%llu KB", static_cast<unsigned long long>(kb));
    return text;
}

bool HasExtension(const std::string& fileName, const std::string& extension)
{
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot == 0 || extension.empty())
        return false;
    return CompareWithoutCase(fileName.substr(dot + 1), extension) == 0;
}

std::vector<FileItem> ListFolder(const std::string& folder, const std::vector<ListedType>& types)
{
    std::vector<FileItem> items;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    std::unordered_set<std::string> listed;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code statError;
        if (!it->is_regular_file(statError))
            continue;
        const std::string name = it->path().filename().string();
        for (size_t t = 0; t < types.size(); ++t) {
            if (!HasExtension(name, types[t].extension) || !listed.insert(name).second)
                continue;
            const uintmax_t size = it->file_size(statError);
            items.push_back(FileItem{name, SizeText(statError ? 0 : uint64_t(size)), types[t].description, t});
            break;
        }
    }
    return items;
}

int CompareItems(const FileItem& a, const FileItem& b, const std::vector<SortKey>& keys)
{
    for (const SortKey& key : keys) {
        int result = 0;
        switch (key.column) {
        case kNameColumn: result = CompareWithoutCase(a.name, b.name); break;
        case kSizeColumn: result = Sign(Kilobytes(a.sizeText) - Kilobytes(b.sizeText)); break;
        case kTypeColumn: result = CompareWithoutCase(a.typeText, b.typeText); break;
        }
        if (result != 0)
            return key.descending ? -result : result;
    }
    return 0;
}

void SortItems(std::vector<FileItem>& items, const std::vector<SortKey>& keys)
{
    std::stable_sort(items.begin(), items.end(),
                     [&keys](const FileItem& a, const FileItem& b) { return CompareItems(a, b, keys) < 0; });
}

int NextItem(int current, int count)
{
    if (count <= 0)
        return -1;
    return current < 0 || current >= count - 1 ? 0 : current + 1;
}

int PreviousItem(int current, int count)
{
    if (count <= 0)
        return -1;
    return current <= 0 || current >= count ? count - 1 : current - 1;
}

std::string FreeNameIn(const std::string& folder, const std::string& name)
{
    std::error_code ec;
    const fs::path base(folder);
    if (!fs::exists(base / name, ec))
        return name;
    const fs::path path(name);
    const std::string stem = path.stem().string(), extension = path.extension().string();
    for (int n = kFirstCopyNumber; n <= kLastCopyNumber; ++n) {
        const std::string candidate = stem + " (" + std::to_string(n) + ")" + extension;
        if (!fs::exists(base / candidate, ec))
            return candidate;
    }
    return std::string();
}

} // namespace kestrel::browser
