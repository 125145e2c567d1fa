// Writes the binary STL terrain of the import benchmarks (about 1,000,000 triangles over
// shared grid points) to the named file, for timing the command line against its peers.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "formats/stl_writer.h"

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUT.stl [CELLS]\n", argv[0]);
        return 2;
    }
    const int cells = argc == 3 ? std::atoi(argv[2]) : 707;
    if (cells < 1 || cells > 4096) {
        std::fprintf(stderr, "CELLS must be 1 to 4096\n");
        return 2;
    }
    const auto bytes = kestrel::test::stl::WriteBinary("terrain", kestrel::test::stl::Terrain(cells));
    const std::string out = argv[1];
    const std::string temporary = out + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", temporary.c_str());
            return 1;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, out, ec);
    if (ec) {
        std::fprintf(stderr, "cannot rename to %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }
    return 0;
}
