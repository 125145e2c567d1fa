#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bmp_variant_fixtures.h"
#include "content_sniffer.h"
#include "dds_variant_fixtures.h"
#include "doc_model.h"
#include "formats/bvh_writer.h"
#include "formats/md2_afs_writer.h"
#include "formats/ms3d_ascii_text.h"
#include "formats/ms3d_writer.h"
#include "formats/off_writer.h"
#include "formats/stl_writer.h"
#include "formats/studio3ds_writer.h"
#include "image_checks.h"
#include "image_fixtures.h"
#include "jpeg_cmyk_fixture.h"
#include "kxm3_format.h"
#include "temp_dir.h"

using namespace kestrel::test;
using kestrel::doc::SniffExtension;

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string Sniff(const std::vector<uint8_t>& file)
{
    return SniffExtension(file.data(), std::min(file.size(), kestrel::doc::kSniffBytes), file.size());
}

std::vector<uint8_t> SavedAs(ESkTexType type, const char* name)
{
    CTexture image;
    image.mWidth = 5, image.mHeight = 3, image.mBpp = 24;
    image.InitPixelData();
    TempDir dir;
    EXPECT_TRUE(image.SaveToFile(dir.File(name).c_str(), type));
    return ReadAll(dir.File(name));
}

struct Known {
    const char* extension;
    std::vector<uint8_t> file;
};

std::vector<Known> EveryFormat()
{
    const RefImage full = MakePattern(13, 7, 24, PatternColours::kFull);
    const RefImage sixteen = MakePattern(13, 7, 24, PatternColours::kSixteenColours);
    BmpVariantOptions dib;
    dib.fileHeader = false;
    BmpVariantOptions os2Dib = dib;
    os2Dib.headerSize = 12;
    CDocModel model;
    model.mMeshes.resize(1);
    bvh::Node root;
    root.name = "Hips";
    root.channels = {"Xposition", "Yposition", "Zposition"};
    root.children.push_back(bvh::EndSite(0, 1, 0));
    const std::string ms3dAscii = ms3d_ascii::SampleText();
    return {
        {"KXM3", kestrel::kxm3::Write(model)},
        {"MS3D", ms3d::Write(ms3d::SampleModel())},
        {"MD2", WriteMd2(SampleMd2())},
        {"TXT", Bytes(ms3dAscii)},
        {"BVH", Bytes(bvh::Write(root, {{0, 0, 0}}, 0.04f))},
        {"OFF", Bytes(off::Write(off::QuadsAndPentagons(1)))},
        {"OFF", Bytes(off::Write(off::QuadsAndPentagons(1), "COFF"))},
        {"STL", Bytes(stl::WriteAscii("cube", stl::Cube()))},
        {"STL", stl::WriteBinary("binary", stl::Cube())},
        {"STL", stl::WriteBinary("solid but binary", stl::Cube())},
        {"3DS", studio3ds::Write({}, {studio3ds::Cube(false)})},
        {"PNG", SavedAs(SK_TEX_PNG, "a.png")},
        {"JPG", SavedAs(SK_TEX_JPEG, "a.jpg")},
        {"JPG", MakeCmykJpeg(8, 8, std::vector<uint8_t>(8 * 8 * 4, 9), true, true)},
        {"BMP", MakeBmp(full, {})},
        {"BMP", MakeBmpVariant(sixteen, {})},
        {"DIB", MakeBmpVariant(sixteen, dib)},
        {"DIB", MakeBmpVariant(sixteen, os2Dib)},
        {"DDS", MakeDdsVariant(full, DdsKind::kDx10Bgrx)},
        {"CEL", MakeCel(sixteen)},
        {"PCX", MakePcx(sixteen, {})},
        {"PCX", MakePcxLowColour(MakePattern(8, 2, 24, PatternColours::kTwoColours), {})},
        {"TGA", MakeTga(full, {})},
        {"TGA", MakeTga(sixteen, {TgaKind::kColourMapped, 8, true})},
        {"TGA", MakeTga(MakePattern(4, 4, 24, PatternColours::kGrey), {TgaKind::kGrey, 8, false})},
    };
}

TEST(ContentSniffer, TellsEveryFormatWeReadByItsContent)
{
    for (const Known& k : EveryFormat())
        EXPECT_EQ(Sniff(k.file), k.extension) << "a " << k.extension << " file of " << k.file.size() << " bytes";
}

TEST(ContentSniffer, TextsAndBytesOfNoFormatAreNotTaken)
{
    EXPECT_EQ(Sniff({}), "");
    EXPECT_EQ(Sniff(Bytes("Hello, world.\n")), "");
    EXPECT_EQ(Sniff(Bytes("solid but then nothing else")), ""); // no facet follows
    EXPECT_EQ(Sniff(Bytes("OFFICE notes\n")), "");
    EXPECT_EQ(Sniff(std::vector<uint8_t>(600, 0)), "");
    EXPECT_EQ(Sniff(std::vector<uint8_t>(600, 0xFF)), "");
    // A 3DS main chunk claiming more than the file holds.
    std::vector<uint8_t> studio = studio3ds::Write({}, {studio3ds::Cube(false)});
    studio[5] = 0x7F;
    EXPECT_NE(Sniff(studio), "3DS");
}

TEST(ContentSniffer, LeadingSpaceAndByteOrderMarkBeforeText)
{
    EXPECT_EQ(Sniff(Bytes("\xEF\xBB\xBF  \r\nHIERARCHY\nROOT Hips\n")), "BVH");
    EXPECT_EQ(Sniff(Bytes("\n\nOFF\n3 1 0\n")), "OFF");
}

TEST(ContentSniffer, ReadsTheHeadOfAFile)
{
    TempDir dir;
    WriteBytes(dir.File("noext"), MakeTga(MakePattern(4, 4, 24, PatternColours::kFull), {}));
    EXPECT_EQ(kestrel::doc::SniffFile(dir.File("noext")), "TGA");
    EXPECT_EQ(kestrel::doc::SniffFile(dir.File("missing")), "");
}

TEST(ContentSniffer, EveryPrefixIsSafe)
{
    // Any answer is allowed for a cut file; reading it must stay inside the bytes given.
    for (const Known& k : EveryFormat())
        for (size_t n = 0; n < std::min<size_t>(k.file.size(), 600); ++n) {
            const std::vector<uint8_t> prefix(k.file.begin(), k.file.begin() + long(n));
            (void)SniffExtension(prefix.data(), prefix.size(), prefix.size());
        }
}

} // namespace
