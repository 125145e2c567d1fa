// Writes the image fixtures as starting inputs for the fuzz targets.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "doc_model.h"
#include "formats/bvh_writer.h"
#include "formats/md2_afs_writer.h"
#include "formats/ms3d_ascii_text.h"
#include "formats/ms3d_writer.h"
#include "formats/off_writer.h"
#include "formats/stl_writer.h"
#include "formats/studio3ds_writer.h"
#include "bmp_variant_fixtures.h"
#include "dds_variant_fixtures.h"
#include "image_fixtures.h"
#include "jpeg_cmyk_fixture.h"
#include "kxm3_format.h"
#include "library_image_fixtures.h"

using namespace kestrel::test;

namespace {

struct Seed {
    const char* folder;
    std::string name;
    std::vector<uint8_t> bytes;
};

void AddModelSeeds(std::vector<Seed>& seeds)
{
    ms3d::Model plain = ms3d::SampleModel();
    seeds.push_back({"ms3d", "sample.ms3d", ms3d::Write(plain)});
    plain.writeComments = true;
    plain.groupComments = {{0, "body"}};
    plain.modelComment = "seed";
    plain.vertexExtraVersion = 2;
    plain.vertexExtras.resize(plain.vertices.size());
    plain.vertexExtras[1] = {{1, -1, -1}, {60, 40, 0}};
    seeds.push_back({"ms3d", "extras.ms3d", ms3d::Write(plain)});
    seeds.push_back({"shapebin", "extras.ms3d", ms3d::Write(plain)});
    const std::string text = ms3d_ascii::SampleText();
    seeds.push_back({"ms3d_ascii", "sample.txt", std::vector<uint8_t>(text.begin(), text.end())});
    seeds.push_back({"md2", "quad.md2", WriteMd2(SampleMd2())});
    seeds.push_back({"shapetextreader", "sample.txt", std::vector<uint8_t>(text.begin(), text.end())});
    seeds.push_back({"morphreader", "quad.md2", WriteMd2(SampleMd2())});
    seeds.push_back({"afs", "two.afs", WriteAfs({{"walk", 1, 20, 0}, {"run", 21, 40, 2}})});

    CDocModel model;
    CMesh& mesh = model.mMeshes.emplace_back();
    mesh.SetName("Seed");
    mesh.mVertices.resize(3);
    mesh.mVertices[1].mWeights.resize(1);
    mesh.mNormals.resize(1);
    mesh.mTexCoords.resize(3);
    mesh.mTriangles.resize(1);
    mesh.mTriangles[0].mVertices[1] = 1;
    mesh.mTriangles[0].mVertices[2] = 2;
    model.mMaterials.resize(1);
    model.mMaterials[0].mDiffuseTex.SetFileNameUtf8("seed.png");
    model.mJoints.resize(2);
    model.mJoints[0].SetName("root");
    model.mJoints[1].SetName("child");
    model.mJoints[1].SetParentName("root");
    model.mJoints[1].mRotKeys.emplace_back(1.0f, CVector3d(0, 0, 1));
    model.mSequences.resize(1);
    model.mSequences[0].SetName("all");
    seeds.push_back({"kxm3", "model.kxm3", kestrel::kxm3::Write(model)});

    const auto bytes = [](const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); };
    seeds.push_back({"stl", "cube_ascii.stl", bytes(stl::WriteAscii("cube", stl::Cube()))});
    seeds.push_back({"stl", "cube_binary.stl", stl::WriteBinary("cube", stl::Cube())});
    seeds.push_back({"off", "quads_pentagons.off", bytes(off::Write(off::QuadsAndPentagons(2)))});
    bvh::Node root;
    root.name = "Hips";
    root.channels = {"Xposition", "Yposition", "Zposition", "Zrotation", "Xrotation", "Yrotation"};
    bvh::Node leg;
    leg.name = "Leg";
    leg.offset[1] = -1;
    leg.channels = {"Zrotation", "Xrotation", "Yrotation"};
    leg.children.push_back(bvh::EndSite(0, -1, 0));
    root.children.push_back(leg);
    seeds.push_back({"bvh", "walk.bvh", bytes(bvh::Write(root, {{0, 1, 0, 0, 10, 0, 5, 0, 0}, {0, 1, 0, 0, 20, 0, -5, 0, 0}}, 0.04f))});
    studio3ds::Material brass;
    brass.name = "Brass";
    brass.texture = "brass.tga";
    seeds.push_back({"studio3ds", "cube.3ds", studio3ds::Write({brass}, {studio3ds::Cube(true)})});
}

// The image variants beyond the first decoders: each decoder's folder, and the sniffer's.
void AddVariantSeeds(std::vector<Seed>& seeds)
{
    const RefImage alpha = MakePattern(13, 7, 32, PatternColours::kFull);
    const RefImage sixteen = MakePattern(13, 7, 24, PatternColours::kSixteenColours);
    const RefImage fiveBit = MakePattern(13, 7, 24, PatternColours::kFiveBit);
    const RefImage greyAlpha = MakePattern(13, 7, 32, PatternColours::kGrey);
    TgaOptions map16{TgaKind::kColourMapped, 16, true};
    map16.mapEntryBits = 16;
    map16.mapFirst = 3;
    TgaOptions map32{TgaKind::kColourMapped, 8, false};
    map32.mapEntryBits = 32;
    seeds.push_back({"tga", "index16_map16_rle.tga", MakeTga(fiveBit, map16)});
    seeds.push_back({"tga", "map32.tga", MakeTga(MakePattern(13, 7, 32, PatternColours::kSixteenColours), map32)});
    seeds.push_back({"tga", "grey_alpha16_rle.tga", MakeTga(greyAlpha, {TgaKind::kGrey, 16, true})});

    BmpVariantOptions rle8;
    rle8.compression = BmpCompression::kRle8;
    rle8.rleDeltas = true;
    BmpVariantOptions rle4 = rle8;
    rle4.bitCount = 4;
    rle4.compression = BmpCompression::kRle4;
    BmpVariantOptions os2;
    os2.headerSize = 64;
    os2.bitCount = 4;
    BmpVariantOptions dib;
    dib.fileHeader = false;
    BmpVariantOptions v5;
    v5.bitCount = 32;
    v5.headerSize = 124;
    v5.compression = BmpCompression::kBitfields;
    v5.masks[0] = 0xFF0000, v5.masks[1] = 0xFF00, v5.masks[2] = 0xFF, v5.masks[3] = 0xFF000000;
    seeds.push_back({"bmp", "rle8.bmp", MakeBmpVariant(sixteen, rle8)});
    seeds.push_back({"bmp", "rle4.bmp", MakeBmpVariant(sixteen, rle4)});
    seeds.push_back({"bmp", "os2v2.bmp", MakeBmpVariant(sixteen, os2)});
    seeds.push_back({"bmp", "clipboard.dib", MakeBmpVariant(sixteen, dib)});
    seeds.push_back({"bmp", "v5alpha.bmp", MakeBmpVariant(alpha, v5)});

    seeds.push_back({"pcx", "mono.pcx", MakePcxLowColour(MakePattern(13, 7, 24, PatternColours::kTwoColours), {})});
    seeds.push_back({"pcx", "planes4.pcx", MakePcxLowColour(sixteen, {1, 4})});

    seeds.push_back({"dds_plain", "l8.dds", MakeDdsVariant(MakePattern(13, 7, 24, PatternColours::kGrey), DdsKind::kLuminance8)});
    seeds.push_back({"dds_plain", "a8l8.dds", MakeDdsVariant(greyAlpha, DdsKind::kLuminanceAlpha8)});
    seeds.push_back({"dds_plain", "dx10.dds", MakeDdsVariant(alpha, DdsKind::kDx10Rgba)});

    const std::vector<uint8_t> ink(16 * 16 * 4, 90);
    seeds.push_back({"jpeg", "ycck.jpg", MakeCmykJpeg(16, 16, ink, true, true)});
    seeds.push_back({"jpeg", "cmyk.jpg", MakeCmykJpeg(16, 16, ink, false, false)});

    for (const Seed& s : std::vector<Seed>(seeds))
        seeds.push_back({"content_sniffer", std::string(s.folder) + "_" + s.name, s.bytes});
}

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
    const std::vector<uint8_t> dds16 = {255, 255, 255, 0, 0, 0, 12, 200, 90, 40, 40, 40};
    seeds.push_back({"dds16", "rgb565.dds", MakeDds(2, 2, 16, dds16, false)});
    AddModelSeeds(seeds);
    AddVariantSeeds(seeds);
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
