#include "temp_dir.h"

#include <cstdlib>
#include <stdexcept>

namespace kestrel::test {

TempDir::TempDir()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "kestrel-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = tmpl;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

CurrentDirScope::CurrentDirScope(const std::filesystem::path& dir) : previous_(std::filesystem::current_path())
{
    std::filesystem::current_path(dir);
}

CurrentDirScope::~CurrentDirScope()
{
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
}

} // namespace kestrel::test
