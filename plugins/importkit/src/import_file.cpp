#include "importkit/import_file.h"

#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace kestrel::importkit {
namespace {

bool Utf16ToUtf8(const char16_t* text, std::string& out)
{
    for (const char16_t* p = text; *p; ++p) {
        uint32_t c = *p;
        if (c >= 0xD800 && c <= 0xDBFF) {
            const uint32_t low = p[1];
            if (low < 0xDC00 || low > 0xDFFF)
                return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            ++p;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return true;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

bool ReadImportFile(const char16_t* fileName, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    std::string path;
    if (!fileName || !*fileName || !Utf16ToUtf8(fileName, path))
        return false;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    // Read in blocks rather than trusting a size reported up front: the memory used
    // is what the file really holds. A regular file's size only sizes the buffer once,
    // sparing the copies of a growing buffer; the reads still decide the length.
    constexpr size_t kBlock = size_t(1) << 20;
    struct stat info {};
    if (fstat(fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        bytes.reserve(size_t(info.st_size) + 1);
    for (;;) {
        const size_t used = bytes.size();
        const size_t block = bytes.capacity() > used ? bytes.capacity() - used : kBlock;
        bytes.resize(used + block);
        const size_t got = std::fread(bytes.data() + used, 1, block, file.get());
        bytes.resize(used + got);
        if (got < block)
            break;
    }
    return !std::ferror(file.get());
}

} // namespace kestrel::importkit
