// Writes Kestrel's sample files: models of every importable kind and images.
#include <cstdio>
#include <filesystem>

#include "sample_files.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrel-samples OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    using namespace kestrel::samples;
    const bool ok = WriteImages(folder) && WriteAnimatedArm(folder) && WriteTexturedCrate(folder) &&
                    WriteTerrainStl(folder) && WriteTileOff(folder) && WriteWalkBvh(folder) && WritePyramidMd2(folder) && WriteArmText(folder);
    if (!ok) {
        std::fprintf(stderr, "kestrel-samples: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
