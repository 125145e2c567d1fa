#include "avi_encoder.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>

namespace kestrel::capture {
namespace {

std::filesystem::path ProgramFolder()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self.parent_path();
}

// The run path first (the build tree and an install both have the engine there), then the
// program's own folder and the install's library folder beside it.
void* OpenModule(std::string& why)
{
    if (void* module = dlopen(kVideoEncoderModule, RTLD_NOW | RTLD_LOCAL))
        return module;
    const char* first = dlerror();
    why = first ? first : kVideoEncoderModule;
    const std::filesystem::path folder = ProgramFolder();
    if (folder.empty())
        return nullptr;
    for (const std::filesystem::path& place : {folder, folder / ".." / "lib" / "kestrel"})
        if (void* module = dlopen((place / kVideoEncoderModule).c_str(), RTLD_NOW | RTLD_LOCAL))
            return module;
    return nullptr;
}

} // namespace

const VideoEncoderModule* LoadVideoEncoderModule(std::string* why)
{
    static std::once_flag once;
    static VideoEncoderModule module;
    static bool loaded = false;
    static std::string failure;
    std::call_once(once, [] {
        // Never closed: encoders may leave work to the exit handlers of their libraries.
        void* handle = OpenModule(failure);
        if (!handle)
            return;
        module.newAviEncoder = reinterpret_cast<NewAviEncoderEntry>(dlsym(handle, kNewAviEncoderName));
        module.videoCodecs = reinterpret_cast<VideoCodecsEntry>(dlsym(handle, kVideoCodecsName));
        loaded = module.newAviEncoder && module.videoCodecs;
        if (!loaded)
            failure = std::string(kVideoEncoderModule) + " is not the video encoder module";
    });
    if (!loaded && why)
        *why = failure;
    return loaded ? &module : nullptr;
}

} // namespace kestrel::capture
