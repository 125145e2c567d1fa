#pragma once
// The file an exporter writes. Everything goes to a temporary file in the target's
// folder, which replaces the target only when it is complete and on disk: a failed or
// abandoned export never leaves a truncated file under the target's name.

#include <clocale>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <locale.h>

namespace nimbus {
struct FileReplacement;
} // namespace nimbus

namespace kestrel::toolkit {

inline constexpr const char* kMsgErrorWritingFile = "Error writing file!";

class COutputFile {
public:
    COutputFile();
    ~COutputFile();  // removes the temporary file unless committed
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    // Creates the temporary file beside `path` (UTF-8), or beside the file a symbolic link
    // names. False when it cannot be created, or when the target is read-only or not a
    // regular file.
    bool Open(const std::string& path);

    // Writes are buffered; the first failure is remembered and later writes are dropped.
    void Write(const void* data, size_t size);
    void Write(const std::string& text) { Write(text.data(), text.size()); }
    // printf formatting with "." as the decimal point whatever the user's locale.
    void Print(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Flushes, syncs and renames over the target, keeping a replaced file's permissions.
    // False when anything failed; the target is then left as it was.
    bool Commit();
    bool Failed() const { return failed_; }

private:
    void Flush();
    void Discard();

    std::unique_ptr<nimbus::FileReplacement> replacement_; // open while fd >= 0
    bool failed_ = false;
    std::vector<char> buffer_;
    locale_t classic_ = nullptr;
};

} // namespace kestrel::toolkit
