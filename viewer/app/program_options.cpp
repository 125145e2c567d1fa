#include "program_options.h"

#include <cstring>

#include "kestrel_version.h"

namespace kestrel::app {

std::optional<int> AnswerInformationOptions(int argc, char** argv, FILE* to)
{
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--") == 0)
            break; // what follows are file names
        if (std::strcmp(a, "--version") == 0 || std::strcmp(a, "-v") == 0) {
            std::fprintf(to, "Kestrel %s\n", version::kText);
            return 0;
        }
        if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            std::fprintf(to,
                         "Usage: kestrel [options] [FILE]\n"
                         "Kestrel %s, a viewer for 3D models and 2D images.\n"
                         "\n"
                         "Options:\n"
                         "  -h, --help     Show this help and exit.\n"
                         "  -v, --version  Show the version and exit.\n"
                         "  Qt's own options (-platform, -style, ...) are accepted too.\n"
                         "\n"
                         "Arguments:\n"
                         "  FILE           A model or image file to open.\n",
                         version::kText);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace kestrel::app
