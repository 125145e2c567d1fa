#include "file_operations.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <filesystem>

#include "file_list_rules.h"

namespace kestrel::browser {
namespace {

namespace fs = std::filesystem;

constexpr char kPartialSuffix[] = ".part";

std::string Quoted(const std::string& name)
{
    return "\"" + name + "\"";
}

fs::path PathOf(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

FileOutcome RenameFile(const std::string& folder, const std::string& oldName, const std::string& newName)
{
    FileOutcome outcome;
    outcome.name = oldName;
    if (newName.empty() || newName == "." || newName == ".." || newName.find('/') != std::string::npos) {
        outcome.message = "Cannot rename " + Quoted(oldName) + ": " + Quoted(newName) + " is not a file name";
        return outcome;
    }
    if (newName == oldName) {
        outcome.ok = true;
        return outcome;
    }
    const fs::path from = PathOf(folder) / PathOf(oldName), to = PathOf(folder) / PathOf(newName);
    std::error_code ec;
    // A rename that only changes case on a folder that ignores case names the same file.
    const bool sameFile = fs::exists(to, ec) && fs::equivalent(from, to, ec);
    if (fs::exists(to, ec) && !sameFile) {
        outcome.message = "Cannot rename " + Quoted(oldName) + ": a file named " + Quoted(newName) + " exists";
        return outcome;
    }
    fs::rename(from, to, ec);
    if (ec) {
        outcome.message = "Cannot rename " + Quoted(oldName) + ": " + ec.message();
        return outcome;
    }
    outcome.ok = true;
    outcome.name = newName;
    outcome.message = "Renamed " + Quoted(oldName) + " to " + Quoted(newName);
    return outcome;
}

FileOutcome MoveFileToTrash(const std::string& path)
{
    FileOutcome outcome;
    const std::string name = Utf8(PathOf(path).filename());
    outcome.name = name;
    QFile file(QString::fromStdString(path));
    if (!file.exists()) {
        outcome.message = "Cannot delete " + Quoted(name) + ": the file no longer exists";
        return outcome;
    }
    // The trash is made inside the data folder, which a fresh home may not have yet.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (!file.moveToTrash()) {
        const std::string reason = file.errorString().toStdString();
        outcome.message = "Cannot move " + Quoted(name) + " to the trash" + (reason.empty() ? "" : ": " + reason);
        return outcome;
    }
    outcome.ok = true;
    outcome.message = "Moved " + Quoted(name) + " to the trash";
    return outcome;
}

std::vector<FileOutcome> CopyFilesInto(const std::string& folder, const std::vector<std::string>& sources)
{
    std::vector<FileOutcome> outcomes;
    for (const std::string& source : sources) {
        FileOutcome outcome;
        const fs::path from = PathOf(source);
        const std::string name = Utf8(from.filename());
        std::error_code ec;
        if (!fs::is_regular_file(from, ec)) {
            outcome.message = "Cannot paste " + Quoted(name) + ": it is not a file";
            outcomes.push_back(outcome);
            continue;
        }
        const std::string target = FreeNameIn(folder, name);
        if (target.empty()) {
            outcome.message = "Cannot paste " + Quoted(name) + ": no free name is left";
            outcomes.push_back(outcome);
            continue;
        }
        const fs::path to = PathOf(folder) / PathOf(target);
        const fs::path partial = PathOf(folder) / PathOf("." + target + kPartialSuffix);
        fs::copy_file(from, partial, fs::copy_options::overwrite_existing, ec);
        if (!ec)
            fs::rename(partial, to, ec);
        if (ec) {
            std::error_code ignored;
            fs::remove(partial, ignored);
            outcome.message = "Cannot paste " + Quoted(name) + ": " + ec.message();
            outcomes.push_back(outcome);
            continue;
        }
        outcome.ok = true;
        outcome.name = target;
        outcome.message = "Pasted " + Quoted(target);
        outcomes.push_back(outcome);
    }
    return outcomes;
}

} // namespace kestrel::browser
