#include <cstdio>
#include <string>
#include <vector>

#include "image_commands.h"

namespace {
void PrintUsage()
{
    std::printf(
        "Usage:\n"
        "  kestrel-cli info IMAGE              report what is read from an image\n"
        "  kestrel-cli convert IN OUT [EDITS]  read IN, apply edits, write OUT (BMP, JPG, TGA, PNG)\n"
        "      edits: --grayscale --invert --rotate cw|ccw --flip v|h --normal-map SCALE\n"
        "  kestrel-cli sample OUT              write a generated sample image\n");
}
} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "info")
        return kestrel::cli::ImageInfo(args[1]);
    if (args.size() >= 3 && args[0] == "convert")
        return kestrel::cli::ImageConvert(args[1], args[2], std::vector<std::string>(args.begin() + 3, args.end()));
    if (args.size() == 2 && args[0] == "sample")
        return kestrel::cli::WriteSampleImage(args[1]);
    PrintUsage();
    return args.empty() || args[0] == "--help" ? 0 : 2;
}
