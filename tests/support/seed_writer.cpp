// Writes the image fixtures as starting inputs for the fuzz targets.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "image_fixtures.h"

using namespace kestrel::test;

namespace {

struct Seed {
    const char* folder;
    std::string name;
    std::vector<uint8_t> bytes;
};

std::vector<Seed> AllSeeds()
{
    const RefImage full = MakePattern(13, 7, 24, PatternColours::kFull);
    const RefImage alpha = MakePattern(13, 7, 32, PatternColours::kFull);
    const RefImage grey = MakePattern(13, 7, 24, PatternColours::kGrey);
    const RefImage fiveBit = MakePattern(13, 7, 24, PatternColours::kFiveBit);
    const RefImage sixteen = MakePattern(13, 7, 24, PatternColours::kSixteenColours);
    const RefImage two = MakePattern(13, 7, 24, PatternColours::kTwoColours);
    std::vector<Seed> seeds;
    for (bool rle : {false, true}) {
        const std::string kind = rle ? "rle" : "raw";
        seeds.push_back({"tga", "mapped8_" + kind + ".tga", MakeTga(sixteen, {TgaKind::kColourMapped, 8, rle})});
        seeds.push_back({"tga", "grey8_" + kind + ".tga", MakeTga(grey, {TgaKind::kGrey, 8, rle})});
        seeds.push_back({"tga", "true16_" + kind + ".tga", MakeTga(fiveBit, {TgaKind::kTrueColour, 16, rle})});
        seeds.push_back({"tga", "true24_" + kind + ".tga", MakeTga(full, {TgaKind::kTrueColour, 24, rle})});
        seeds.push_back({"tga", "true32_" + kind + ".tga", MakeTga(alpha, {TgaKind::kTrueColour, 32, rle})});
    }
    seeds.push_back({"tga", "true24_rle_topleft.tga", MakeTga(full, {TgaKind::kTrueColour, 24, true, true, true, 5})});
    seeds.push_back({"pcx", "paletted.pcx", MakePcx(sixteen, {})});
    seeds.push_back({"pcx", "planes3.pcx", MakePcx(full, {false})});
    seeds.push_back({"pcx", "manufacturer0.pcx", MakePcx(sixteen, {true, 0, 1, 3, 4})});
    seeds.push_back({"cel", "image.cel", MakeCel(sixteen)});
    seeds.push_back({"bmp", "rgb24.bmp", MakeBmp(full, {24})});
    seeds.push_back({"bmp", "rgb24_topfirst.bmp", MakeBmp(full, {24, true})});
    seeds.push_back({"bmp", "rgb32.bmp", MakeBmp(full, {32})});
    seeds.push_back({"bmp", "paletted8.bmp", MakeBmp(sixteen, {8})});
    seeds.push_back({"bmp", "paletted4.bmp", MakeBmp(sixteen, {4})});
    seeds.push_back({"bmp", "paletted1.bmp", MakeBmp(two, {1})});
    return seeds;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrel_seed_writer OUTPUT_DIR\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const Seed& seed : AllSeeds()) {
        const std::filesystem::path folder = root / seed.folder;
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec) {
            std::fprintf(stderr, "cannot create %s: %s\n", folder.string().c_str(), ec.message().c_str());
            return 1;
        }
        WriteBytes((folder / seed.name).string(), seed.bytes);
        if (std::filesystem::file_size(folder / seed.name, ec) != seed.bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", (folder / seed.name).string().c_str());
            return 1;
        }
    }
    return 0;
}
