#include "file_io.h"

#include "file_replacement.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nimbus {

namespace {

// Reads at most `limit` bytes from the start of a regular file of at most maxBytes.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes, uint64_t limit)
{
    bytes.clear();
    if (path.empty())
        return false;
    // Opening a FIFO for reading waits for a writer unless O_NONBLOCK is given; regular
    // files ignore the flag, and everything else is refused before the first read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st{};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0 &&
              uint64_t(st.st_size) <= maxBytes;
    if (ok) {
        bytes.resize(size_t(std::min(uint64_t(st.st_size), limit)));
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                ok = false;
                break;
            }
            if (n == 0)
                break; // the file shrank while we read it
            done += size_t(n);
        }
        bytes.resize(done);
    }
    ::close(fd);
    if (!ok)
        bytes.clear();
    return ok;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes)
{
    return ReadFileBytes(path, bytes, maxBytes, UINT64_MAX);
}

bool ReadFileStart(const std::string& path, std::vector<uint8_t>& bytes, size_t count, uint64_t maxBytes)
{
    return ReadFileBytes(path, bytes, maxBytes, count);
}

bool WriteFileAtomically(const std::string& path, const uint8_t* data, size_t size)
{
    FileReplacement r;
    if (BeginReplacement(path, r) != ReplaceRefusal::None)
        return false;
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(r.fd, data + done, size - done);
        if (n <= 0) {
            AbandonReplacement(r);
            return false;
        }
        done += size_t(n);
    }
    return CommitReplacement(r);
}

} // namespace nimbus
