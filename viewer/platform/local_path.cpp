#include "platform/local_path.h"

#include <QFile>
#include <QStringList>
#include <dirent.h>
#include <sys/stat.h>

#include "util/utf16.h"

namespace kestrel::platform {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

std::string Bytes(const QString& text) { return nimbus::Utf16ToUtf8(reinterpret_cast<const char16_t*>(text.utf16())); }

bool Exists(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

// The one entry of `folder` that Qt shows as `shown`; empty when none or several do.
std::string EntryShownAs(const std::string& folder, const QString& shown)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return {};
    std::string found;
    int matches = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (QFile::decodeName(entry->d_name) == shown) {
            found = entry->d_name;
            ++matches;
        }
    }
    ::closedir(dir);
    return matches == 1 ? found : std::string();
}

// Rebuilds the path one folder at a time, taking the real name wherever Qt's text lost bytes.
std::string MatchShownPath(const QString& path)
{
    const QStringList parts = path.split(QLatin1Char('/'));
    std::string out;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += '/';
        const QString& part = parts[i];
        std::string bytes = Bytes(part);
        if (part.contains(QChar(kReplacement)) && !Exists(out + bytes)) {
            const std::string folder = out;
            bytes = EntryShownAs(folder, part);
            if (bytes.empty())
                return {};
        }
        out += bytes;
    }
    return out;
}

} // namespace

std::string LocalPath(const QString& path)
{
    const std::string direct = Bytes(path);
    if (!path.contains(QChar(kReplacement)) || Exists(direct))
        return direct;
    const std::string matched = MatchShownPath(path);
    return matched.empty() ? direct : matched;
}

QString PathFromLocal(const std::string& bytes)
{
    const std::u16string wide = nimbus::Utf8ToUtf16(bytes.c_str());
    return QString::fromUtf16(wide.data(), qsizetype(wide.size()));
}

} // namespace kestrel::platform
