#include "importer_probe.h"

#include <cstdint>
#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrel::host {
namespace {

constexpr char kImporterTag[] = "KXIMP";
constexpr size_t kTagLength = sizeof(kImporterTag) - 1;

class MappedFile {
public:
    explicit MappedFile(const std::string& path)
    {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat st {};
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
            void* p = mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED) {
                data_ = static_cast<const uint8_t*>(p);
                size_ = size_t(st.st_size);
            }
        }
        close(fd);
    }
    ~MappedFile()
    {
        if (data_)
            munmap(const_cast<uint8_t*>(data_), size_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const uint8_t* Data() const { return data_; }
    size_t Size() const { return size_; }

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

bool HoldsTag(const uint8_t* begin, size_t length)
{
    return length >= kTagLength && memmem(begin, length, kImporterTag, kTagLength) != nullptr;
}

} // namespace

bool MayBeImporter(const std::string& path)
{
    const MappedFile file(path);
    return !file.Data() || MayBeImporterFile(file.Data(), file.Size());
}

bool MayBeImporterFile(const uint8_t* data, size_t size)
{
    if (!data || size < sizeof(Elf64_Ehdr))
        return true;
    Elf64_Ehdr header;
    std::memcpy(&header, data, sizeof(header));
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_phentsize != sizeof(Elf64_Phdr))
        return true;
    const uint64_t tableEnd = uint64_t(header.e_phoff) + uint64_t(header.e_phnum) * sizeof(Elf64_Phdr);
    if (header.e_phoff > size || tableEnd > size)
        return true;
    bool anyLoaded = false;
    // Only what the loader maps: debugging sections may quote any text.
    for (uint16_t i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr segment;
        std::memcpy(&segment, data + header.e_phoff + size_t(i) * sizeof(Elf64_Phdr), sizeof(segment));
        if (segment.p_type != PT_LOAD)
            continue;
        if (segment.p_offset > size || segment.p_filesz > size - segment.p_offset)
            return true;
        anyLoaded = true;
        if (HoldsTag(data + segment.p_offset, size_t(segment.p_filesz)))
            return true;
    }
    return !anyLoaded;
}

} // namespace kestrel::host
