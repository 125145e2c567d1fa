#include "video_module.h"

#include <dlfcn.h>

#include <cstdio>

namespace kestrel::cli {

int RunVideoModule(const std::vector<std::string>& args, std::string& error)
{
    // Kept loaded until the program ends: the encoders may leave work to exit handlers.
    void* module = dlopen(kVideoModuleName, RTLD_NOW | RTLD_LOCAL);
    const auto entry = module ? reinterpret_cast<VideoEntry>(dlsym(module, kVideoEntryName)) : nullptr;
    if (!entry) {
        const char* why = dlerror();
        std::fprintf(stderr, "kestrel-cli: video recording is not available: %s\n", why ? why : kVideoModuleName);
        return 1;
    }
    return entry(&args, &error);
}

} // namespace kestrel::cli
