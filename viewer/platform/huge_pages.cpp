#include "huge_pages.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

namespace kestrel::platform {
namespace {

constexpr const char* kTunable = "glibc.malloc.hugetlb=1";
constexpr const char* kGuard = "KESTREL_HUGE_PAGES_SET";

bool HugePagesAvailable()
{
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string mode;
    std::getline(in, mode);
    return mode.find("[always]") != std::string::npos || mode.find("[madvise]") != std::string::npos;
}

} // namespace

void RestartWithHugePages(int argc, char** argv)
{
    (void)argc;
    if (std::getenv(kGuard) || !HugePagesAvailable())
        return;
    const char* current = std::getenv("GLIBC_TUNABLES");
    if (current && std::strstr(current, "glibc.malloc.hugetlb"))
        return;
    const std::string tunables = current && *current ? std::string(current) + ":" + kTunable : std::string(kTunable);
    setenv("GLIBC_TUNABLES", tunables.c_str(), 1);
    setenv(kGuard, "1", 1);
    execv("/proc/self/exe", argv);
    // Still here: the restart failed; go on as we are.
    unsetenv(kGuard);
}

} // namespace kestrel::platform
