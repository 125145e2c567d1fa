#include "toolkit/output_file.h"

#include <cstdarg>
#include <cstdio>
#include <cerrno>
#include <unistd.h>

#include "util/file_replacement.h"

namespace kestrel::toolkit {

namespace {
constexpr size_t kBufferSize = size_t(1) << 16;
} // namespace

COutputFile::COutputFile() : replacement_(std::make_unique<nimbus::FileReplacement>())
{
    classic_ = newlocale(LC_ALL_MASK, "C", nullptr);
}

COutputFile::~COutputFile()
{
    Discard();
    if (classic_)
        freelocale(classic_);
}

void COutputFile::Discard() { nimbus::AbandonReplacement(*replacement_); }

bool COutputFile::Open(const std::string& path)
{
    Discard();
    failed_ = false;
    buffer_.clear();
    if (path.empty() || !classic_)
        return false;
    // A target that cannot be replaced (a folder, a read-only file) is refused now rather
    // than after the whole export.
    if (nimbus::BeginReplacement(path, *replacement_) != nimbus::ReplaceRefusal::None)
        return false;
    buffer_.reserve(kBufferSize);
    return true;
}

void COutputFile::Flush()
{
    size_t done = 0;
    while (!failed_ && done < buffer_.size()) {
        const ssize_t n = ::write(replacement_->fd, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            failed_ = true;
        else
            done += size_t(n);
    }
    buffer_.clear();
}

void COutputFile::Write(const void* data, size_t size)
{
    if (replacement_->fd < 0 || failed_)
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
    if (replacement_->fd < 0 || failed_)
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
    if (replacement_->fd < 0)
        return false;
    Flush();
    if (failed_) {
        Discard();
        return false;
    }
    if (!nimbus::CommitReplacement(*replacement_)) {
        failed_ = true;
        return false;
    }
    return true;
}

} // namespace kestrel::toolkit
