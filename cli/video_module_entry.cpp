// The entry of the video module (see video_module.h).
#include <type_traits>

#include "video_command.h"
#include "video_module.h"

extern "C" __attribute__((visibility("default"))) int KestrelCliVideo(const std::vector<std::string>* args,
                                                                      std::string* error)
{
    static_assert(std::is_same_v<decltype(&KestrelCliVideo), kestrel::cli::VideoEntry>);
    kestrel::cli::VideoCommandOptions options;
    if (!args || !error || !kestrel::cli::ParseVideoArguments(*args, options, *error))
        return kestrel::cli::kVideoUsageError;
    return kestrel::cli::VideoCommand(options);
}
