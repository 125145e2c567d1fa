#include "file_replacement.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nimbus {
namespace {

constexpr int kMostLinkHops = 40; // as the kernel's own limit on symbolic-link chains
constexpr const char* kTemporarySuffix = ".XXXXXX";

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string ResolveWriteTarget(const std::string& path)
{
    std::string current = path;
    for (int hop = 0; hop < kMostLinkHops; ++hop) {
        struct stat st{};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string link(size_t(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n <= 0)
            return current;
        link.resize(size_t(n));
        current = link.front() == '/' ? link : FolderOf(current) + "/" + link;
    }
    return current;
}

std::string TemporaryNameBeside(const std::string& target)
{
    // A leading dot hides it in folder views while it exists.
    std::string name = "." + NameOf(target);
    const size_t room = size_t(NAME_MAX) - std::char_traits<char>::length(kTemporarySuffix);
    if (name.size() > room)
        name.resize(room);
    const std::string folder = FolderOf(target);
    return (target.find('/') == std::string::npos ? std::string() : folder + "/") + name + kTemporarySuffix;
}

ReplaceRefusal BeginReplacement(const std::string& path, FileReplacement& r)
{
    r = FileReplacement();
    if (path.empty() || path.back() == '/')
        return ReplaceRefusal::BadPath;
    r.target = ResolveWriteTarget(path);
    struct stat st{};
    if (::stat(r.target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return ReplaceRefusal::NotRegular;
        // Write bits count even for a user whom access() would let through.
        if (!(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) || ::access(r.target.c_str(), W_OK) != 0)
            return ReplaceRefusal::ReadOnly;
        r.replacesFile = true;
        r.mode = st.st_mode & 07777;
        r.owner = st.st_uid;
        r.group = st.st_gid;
    } else if (errno != ENOENT) {
        return ReplaceRefusal::BadPath;
    }
    r.temporary = TemporaryNameBeside(r.target);
    r.fd = ::mkostemp(r.temporary.data(), O_CLOEXEC);
    if (r.fd < 0) {
        r.temporary.clear();
        return errno == ENOENT || errno == ENOTDIR ? ReplaceRefusal::BadPath : ReplaceRefusal::CannotCreate;
    }
    return ReplaceRefusal::None;
}

bool CommitReplacement(FileReplacement& r)
{
    if (r.fd < 0)
        return false;
    mode_t mode = r.mode;
    if (r.replacesFile) {
        // Keep the owner where we may; only root can give a file to another user, and
        // failing to is no reason to lose the save.
        [[maybe_unused]] const int kept = ::fchown(r.fd, r.owner, r.group);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(r.fd, mode) == 0 && ::fsync(r.fd) == 0;
    ok = ::close(r.fd) == 0 && ok;
    r.fd = -1;
    ok = ok && std::rename(r.temporary.c_str(), r.target.c_str()) == 0;
    if (!ok)
        ::unlink(r.temporary.c_str());
    r.temporary.clear();
    return ok;
}

void AbandonReplacement(FileReplacement& r)
{
    if (r.fd >= 0)
        ::close(r.fd);
    r.fd = -1;
    if (!r.temporary.empty())
        ::unlink(r.temporary.c_str());
    r.temporary.clear();
}

const char* DescribeRefusal(ReplaceRefusal refusal)
{
    switch (refusal) {
    case ReplaceRefusal::None: return "";
    case ReplaceRefusal::BadPath: return "The folder of the file cannot be found.";
    case ReplaceRefusal::NotRegular: return "The target is not a regular file.";
    case ReplaceRefusal::ReadOnly: return "The file is read-only.";
    case ReplaceRefusal::CannotCreate: return "The file cannot be created.";
    }
    return "";
}

} // namespace nimbus
