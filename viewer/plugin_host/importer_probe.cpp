#include "importer_probe.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "registration.h"

namespace kestrel::host {
namespace {

constexpr char kImporterTag[] = "KXIMP";
constexpr size_t kTagLength = sizeof(kImporterTag) - 1;
// A registration string longer than this is not taken from the file.
constexpr size_t kMaxRegistrationText = 64 * 1024;
// A larger segment is not read: the loader decides.
constexpr uint64_t kMaxSegmentBytes = uint64_t(64) << 20;

// Where the probe takes a library's bytes from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // The bytes [offset, offset + length), which lie inside Size(), valid until the next
    // read; null when they cannot be read.
    virtual const uint8_t* Read(uint64_t offset, size_t length) = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint64_t Size() const override { return size_; }
    const uint8_t* Read(uint64_t offset, size_t) override { return data_ + offset; }

private:
    const uint8_t* data_;
    size_t size_;
};

// Reads only the parts asked for: mapping a whole library with its debugging sections
// costs more than the few pages the probe needs.
class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        struct stat st {};
        if (fd_ >= 0 && fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
            size_ = uint64_t(st.st_size);
    }
    ~FileSource() override
    {
        if (fd_ >= 0)
            close(fd_);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    uint64_t Size() const override { return size_; }
    const uint8_t* Read(uint64_t offset, size_t length) override
    {
        buffer_.resize(length);
        size_t done = 0;
        while (done < length) {
            const ssize_t got = pread(fd_, buffer_.data() + done, length - done, off_t(offset + done));
            if (got <= 0)
                return nullptr;
            done += size_t(got);
        }
        return buffer_.data();
    }

private:
    int fd_;
    uint64_t size_ = 0;
    std::vector<uint8_t> buffer_;
};

bool SameExtension(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// What the tags of the loaded bytes say: every tag that opens a whole registration string
// is read; a tag that does not leaves the library to the loader.
struct TagFindings {
    bool anyTag = false;
    bool declares = false;
    bool unreadable = false;
};

void ReadTags(const uint8_t* begin, size_t length, const std::string& extension, TagFindings& found)
{
    const uint8_t* const end = begin + length;
    const uint8_t* from = begin;
    while (size_t(end - from) >= kTagLength) {
        const void* hit = memmem(from, size_t(end - from), kImporterTag, kTagLength);
        if (!hit)
            return;
        const uint8_t* tag = static_cast<const uint8_t*>(hit);
        found.anyTag = true;
        from = tag + kTagLength;
        if (tag == begin || tag[-1] != '<') {
            found.unreadable = true;
            continue;
        }
        const uint8_t* text = tag - 1;
        const size_t room = std::min(size_t(end - text), kMaxRegistrationText);
        std::vector<DeclaredFileType> types;
        // The text ends inside the bytes, so it is read in place.
        if (!std::memchr(text, 0, room) || !ParseRegistration(reinterpret_cast<const char*>(text), types)) {
            found.unreadable = true;
            continue;
        }
        for (const DeclaredFileType& t : types)
            if (!extension.empty() && SameExtension(t.extension, extension))
                found.declares = true;
    }
}

ImporterProbe Probe(ByteSource& source, const std::string& extension)
{
    const uint64_t size = source.Size();
    if (size < sizeof(Elf64_Ehdr))
        return ImporterProbe::kUnknown;
    const uint8_t* bytes = source.Read(0, sizeof(Elf64_Ehdr));
    if (!bytes)
        return ImporterProbe::kUnknown;
    Elf64_Ehdr header;
    std::memcpy(&header, bytes, sizeof(header));
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_phentsize != sizeof(Elf64_Phdr))
        return ImporterProbe::kUnknown;
    const uint64_t tableBytes = uint64_t(header.e_phnum) * sizeof(Elf64_Phdr);
    if (header.e_phoff > size || tableBytes > size - header.e_phoff)
        return ImporterProbe::kUnknown;
    std::vector<Elf64_Phdr> segments(header.e_phnum);
    if (tableBytes > 0) {
        bytes = source.Read(header.e_phoff, size_t(tableBytes));
        if (!bytes)
            return ImporterProbe::kUnknown;
        std::memcpy(segments.data(), bytes, size_t(tableBytes));
    }
    bool anyLoaded = false;
    bool separateReadOnly = false;
    for (const Elf64_Phdr& segment : segments) {
        if (segment.p_type != PT_LOAD)
            continue;
        if (segment.p_offset > size || segment.p_filesz > size - segment.p_offset ||
            segment.p_filesz > kMaxSegmentBytes)
            return ImporterProbe::kUnknown;
        anyLoaded = true;
        if (!(segment.p_flags & (PF_X | PF_W)))
            separateReadOnly = true;
    }
    if (!anyLoaded)
        return ImporterProbe::kUnknown;
    // Only what the loader maps: debugging sections may quote any text. Constant text sits
    // in a read-only segment apart from the code where the linker separates them (the usual
    // layout), so the code, most of a library, is read only where no such segment exists.
    TagFindings found;
    for (const Elf64_Phdr& segment : segments) {
        if (segment.p_type != PT_LOAD || segment.p_filesz == 0)
            continue;
        if ((segment.p_flags & PF_X) && separateReadOnly)
            continue;
        bytes = source.Read(segment.p_offset, size_t(segment.p_filesz));
        if (!bytes)
            return ImporterProbe::kUnknown;
        ReadTags(bytes, size_t(segment.p_filesz), extension, found);
    }
    if (found.declares)
        return ImporterProbe::kDeclares;
    if (!found.anyTag)
        return ImporterProbe::kNotImporter;
    return found.unreadable ? ImporterProbe::kUnknown : ImporterProbe::kDeclaresOthers;
}

} // namespace

ImporterProbe ProbeImporter(const std::string& path, const std::string& extension)
{
    FileSource file(path);
    return Probe(file, extension);
}

ImporterProbe ProbeImporterFile(const uint8_t* data, size_t size, const std::string& extension)
{
    if (!data)
        return ImporterProbe::kUnknown;
    MemorySource bytes(data, size);
    return Probe(bytes, extension);
}

} // namespace kestrel::host
