#include "toolkit/output_file.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrel::toolkit {

namespace {
constexpr size_t kBufferSize = size_t(1) << 16;
} // namespace

COutputFile::COutputFile() { classic_ = newlocale(LC_ALL_MASK, "C", nullptr); }

COutputFile::~COutputFile()
{
    Discard();
    if (classic_)
        freelocale(classic_);
}

void COutputFile::Discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temporary_.c_str());
        fd_ = -1;
    }
}

bool COutputFile::Open(const std::string& path)
{
    Discard();
    failed_ = false;
    buffer_.clear();
    if (path.empty() || !classic_)
        return false;
    // A target that exists but cannot be written (a folder, a read-only file) is
    // refused now rather than after the whole export.
    struct stat st{};
    if (::stat(path.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || ::access(path.c_str(), W_OK) != 0))
        return false;
    target_ = path;
    temporary_ = path + ".XXXXXX";
    fd_ = ::mkstemp(temporary_.data());
    if (fd_ < 0)
        return false;
    buffer_.reserve(kBufferSize);
    return true;
}

void COutputFile::Flush()
{
    size_t done = 0;
    while (!failed_ && done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n <= 0)
            failed_ = true;
        else
            done += size_t(n);
    }
    buffer_.clear();
}

void COutputFile::Write(const void* data, size_t size)
{
    if (fd_ < 0 || failed_)
        return;
    if (buffer_.size() + size > kBufferSize)
        Flush();
    if (size >= kBufferSize) {
        buffer_.assign(static_cast<const char*>(data), static_cast<const char*>(data) + size);
        Flush();
        return;
    }
    buffer_.insert(buffer_.end(), static_cast<const char*>(data), static_cast<const char*>(data) + size);
}

void COutputFile::Print(const char* format, ...)
{
    if (fd_ < 0 || failed_)
        return;
    char text[512];
    const locale_t previous = uselocale(classic_);
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    if (length >= 0 && size_t(length) < sizeof(text)) {
        uselocale(previous);
        Write(text, size_t(length));
        return;
    }
    if (length < 0) {
        uselocale(previous);
        failed_ = true;
        return;
    }
    std::string longer(size_t(length) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(longer.data(), longer.size(), format, args);
    va_end(args);
    uselocale(previous);
    Write(longer.data(), size_t(length));
}

bool COutputFile::Commit()
{
    if (fd_ < 0)
        return false;
    Flush();
    // mkstemp creates the file for its owner only; give it what a plain create gives.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = !failed_ && ::fchmod(fd_, 0666 & ~mask) == 0 && ::fsync(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    ok = ok && std::rename(temporary_.c_str(), target_.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary_.c_str());
        failed_ = true;
    }
    return ok;
}

} // namespace kestrel::toolkit
