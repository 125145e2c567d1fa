#include "file_io.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nimbus {

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes)
{
    bytes.clear();
    if (path.empty())
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st{};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && uint64_t(st.st_size) <= maxBytes;
    if (ok) {
        bytes.resize(size_t(st.st_size));
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
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

bool WriteFileAtomically(const std::string& path, const uint8_t* data, size_t size)
{
    if (path.empty())
        return false;
    std::string tmpl = path + ".XXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            ok = false;
        else
            done += size_t(n);
    }
    // mkstemp creates 0600; give the file the permissions a plain create would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ok = ok && ::fchmod(fd, 0666 & ~mask) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = std::rename(tmpl.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(tmpl.c_str());
    return ok;
}

} // namespace nimbus
