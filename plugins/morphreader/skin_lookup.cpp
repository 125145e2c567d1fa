#include "skin_lookup.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace kestrel::morphreader {
namespace {

namespace fs = std::filesystem;

// The image types the engine reads, most likely first for a model of this kind.
constexpr const char* kImageExtensions[] = {".pcx", ".tga", ".png", ".jpg", ".jpeg", ".bmp",
                                            ".tif", ".tiff", ".gif", ".dds", ".cel"};

// The listing for differently cased names stops here, so a huge folder costs little.
constexpr size_t kMaxFolderEntries = 4096;

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

// Text up to and including the last separator: the model's folder as it was given.
std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StemOf(const std::string& fileName)
{
    const size_t dot = fileName.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

fs::path Path(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

bool IsFile(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(Path(path), ec);
}

// The files of the model's folder, listed once: a file may name thousands of skins.
class FolderListing {
public:
    explicit FolderListing(std::string folder) : folder_(std::move(folder)) {}

    // The path of `name` inside the folder, matched exactly or else ignoring case; empty if none.
    std::string Find(const std::string& name)
    {
        if (name.empty())
            return {};
        if (IsFile(folder_ + name))
            return folder_ + name;
        if (!listed_)
            List();
        const auto it = byLowerName_.find(Lower(name));
        return it == byLowerName_.end() ? std::string() : folder_ + it->second;
    }

private:
    void List()
    {
        listed_ = true;
        std::error_code ec;
        size_t seen = 0;
        for (fs::directory_iterator it(Path(folder_.empty() ? std::string(".") : folder_), ec), end;
             !ec && it != end && ++seen <= kMaxFolderEntries; it.increment(ec)) {
            const std::u8string u8 = it->path().filename().u8string();
            const std::string name(u8.begin(), u8.end());
            if (IsFile(folder_ + name))
                byLowerName_.emplace(Lower(name), name);
        }
    }

    std::string folder_;
    bool listed_ = false;
    std::map<std::string, std::string> byLowerName_;
};

std::string FindNamedImage(FolderListing& folder, const std::string& stem)
{
    for (const char* ext : kImageExtensions)
        if (std::string found = folder.Find(stem + ext); !found.empty())
            return found;
    return {};
}

// A skin name as a relative path: Quake's names use "/", some tools "\".
std::string Portable(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

} // namespace

std::vector<SkinMaterial> FindSkinMaterials(const std::string& modelPath, const std::vector<std::string>& skins)
{
    const std::string folder = FolderOf(modelPath);
    FolderListing listing(folder);
    const std::string modelImage = FindNamedImage(listing, StemOf(FileNameOf(modelPath)));
    std::vector<SkinMaterial> materials;
    if (skins.empty()) {
        if (!modelImage.empty())
            materials.push_back({FileNameOf(modelImage), modelImage});
        return materials;
    }
    for (const std::string& skin : skins) {
        SkinMaterial m{skin, skin};
        const std::string relative = Portable(skin);
        // An absolute skin name points outside the model's folder; only its file name counts.
        if (!relative.empty() && relative[0] != '/' && IsFile(folder + relative))
            m.texture = folder + relative;
        else if (std::string beside = listing.Find(FileNameOf(relative)); !beside.empty())
            m.texture = beside;
        else if (!modelImage.empty())
            m.texture = modelImage;
        materials.push_back(std::move(m));
    }
    return materials;
}

} // namespace kestrel::morphreader
