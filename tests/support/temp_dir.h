#pragma once
#include <filesystem>
#include <string>

namespace kestrel::test {

// A fresh folder removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Makes a folder current for the lifetime of the object.
class CurrentDirScope {
public:
    explicit CurrentDirScope(const std::filesystem::path& dir);
    ~CurrentDirScope();

private:
    std::filesystem::path previous_;
};

} // namespace kestrel::test
