#include <cstdio>
#include <string>
#include <vector>

#include "arguments.h"
#include "convert_command.h"
#include "image_commands.h"
#include "info_command.h"
#include "kestrel_version.h"
#include "plugin_manager.h"
#include "platform/memory_reuse.h"
#include "render_command.h"
#include "thumbnail_command.h"
#include "video_command.h"

namespace {
void PrintUsage(FILE* to)
{
    std::fprintf(to,
                 "Usage:\n"
                 "  kestrel-cli --help | --version | --plugins-folder\n"
                 "      this text, the version, or the plug-in folder used when --plugins is not given\n"
                 "  kestrel-cli info FILE [--plugins DIR]\n"
                 "      open FILE as the viewer does and print what it holds as JSON\n"
                 "  kestrel-cli render FILE -o OUT.png [--size WxH] [--mode N] [--skeleton N] [--grid N]\n"
                 "      [--bbox N] [--axes 0|1] [--normals 0|1] [--rotation PITCH,YAW] [--frame F] [--console] [--plugins DIR]\n"
                 "      draw FILE off screen as the viewer's 3D or image view does\n"
                 "  kestrel-cli video FILE -o OUT.avi|OUT.mp4 [--size WxH] [--fps F] [--sequence NAME] [--start N]\n"
                 "      [--end N] [--codec NAME] [--quality Q] [--plugins DIR]\n"
                 "      record a sequence of an animated model as a video (MJPEG in AVI, H.264 in MP4 by default)\n"
                 "  kestrel-cli thumbnail FILE -o OUT.png [--size WxH|N] [--plugins DIR]\n"
                 "  kestrel-cli thumbnail --size N FILE OUT.png   (as file managers run it)\n"
                 "      write the file list's framed thumbnail of FILE (96x84; N is NxN; sides from 3 to 4096)\n"
                 "  kestrel-cli convert IN OUT.stl|OUT.stla|OUT.stlb|OUT.txt|OUT.kxm3 [--ascii|--binary]\n"
                 "      [--no-meshes] [--no-materials] [--no-skeleton] [--no-animation] [--plugins DIR]\n"
                 "      open IN as the viewer does and write STL, MS3D ASCII or the native model format\n"
                 "  kestrel-cli convert IN OUT [--grayscale] [--invert] [--rotate cw|ccw] [--flip v|h]\n"
                 "      [--normal-map SCALE]   read an image, edit it and write BMP, JPG, TGA or PNG\n"
                 "  kestrel-cli sample OUT     write a generated height image\n");
}

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "kestrel-cli: %s\n", message.c_str());
    PrintUsage(stderr);
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    kestrel::platform::KeepFreedMemoryForReuse();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        PrintUsage(stdout);
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version" || args[0] == "-v") {
        std::printf("kestrel-cli %s\n", kestrel::version::kText);
        return 0;
    }
    if (args[0] == "--plugins-folder") {
        std::printf("%s\n", kestrel::host::CPlugInManager::DefaultFolder().c_str());
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    std::string error;
    if (args[0] == "info") {
        std::string file, plugIns;
        if (!kestrel::cli::ParseInfoArguments(rest, file, plugIns, error))
            return UsageError(error);
        return kestrel::cli::InfoCommand(file, plugIns);
    }
    if (args[0] == "render") {
        kestrel::cli::RenderOptions options;
        if (!kestrel::cli::ParseRenderArguments(rest, options, error))
            return UsageError(error);
        return kestrel::cli::RenderCommand(options);
    }
    if (args[0] == "thumbnail") {
        kestrel::cli::ThumbnailOptions options;
        if (!kestrel::cli::ParseThumbnailArguments(rest, options, error))
            return UsageError(error);
        return kestrel::cli::ThumbnailCommand(options);
    }
    if (args[0] == "video") {
        kestrel::cli::VideoCommandOptions options;
        if (!kestrel::cli::ParseVideoArguments(rest, options, error))
            return UsageError(error);
        return kestrel::cli::VideoCommand(options);
    }
    // The output's extension tells a model conversion from an image one.
    using kestrel::cli::ModelFormat;
    if (args[0] == "convert" && rest.size() >= 2 && kestrel::cli::ModelFormatFor(rest[1]) != ModelFormat::None) {
        kestrel::cli::ModelConvertOptions options;
        if (!kestrel::cli::ParseModelConvertArguments(rest, options, error))
            return UsageError(error);
        return kestrel::cli::ModelConvert(options);
    }
    if (args[0] == "convert" && rest.size() >= 2) {
        return kestrel::cli::ImageConvert(rest[0], rest[1], std::vector<std::string>(rest.begin() + 2, rest.end()));
    }
    if (args[0] == "sample" && rest.size() == 1)
        return kestrel::cli::WriteSampleImage(rest[0]);
    return UsageError("unknown command or missing arguments: " + args[0]);
}
