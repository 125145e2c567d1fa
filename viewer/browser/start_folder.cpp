#include "start_folder.h"

#include <filesystem>

namespace kestrel::browser {

namespace fs = std::filesystem;

std::string StartFolder(const std::string& lastFolder, const std::string& programFolder)
{
    std::error_code ec;
    if (!lastFolder.empty() && fs::is_directory(lastFolder, ec))
        return fs::absolute(lastFolder, ec).lexically_normal().string();
    if (programFolder.empty())
        return std::string();
    const fs::path samples = fs::path(programFolder) / "Samples";
    // An installed program (bin/ beside share/kestrel/) keeps its samples there.
    const fs::path installed = fs::path(programFolder) / ".." / "share" / "kestrel" / "Samples";
    if (!fs::is_directory(samples, ec) && fs::is_directory(installed, ec))
        return installed.lexically_normal().string();
    if (!fs::is_directory(samples, ec))
        fs::create_directories(samples, ec);
    return fs::is_directory(samples, ec) ? samples.lexically_normal().string() : std::string();
}

std::string ParentFolder(const std::string& folder)
{
    fs::path path = fs::path(folder).lexically_normal();
    if (path.has_relative_path() && !path.has_filename())
        path = path.parent_path(); // "a/b/" is "a/b"
    if (!path.has_relative_path())
        return std::string();
    return path.parent_path().string();
}

} // namespace kestrel::browser
