#include <gtest/gtest.h>

#include "formats/afs/afs_file.h"
#include "formats/md2/md2_file.h"
#include "formats/md2_afs_writer.h"

namespace {

using kestrel::test::Md2Model;
using nimbus::md2::ParseStatus;

ParseStatus ParseMd2(const Md2Model& m, nimbus::md2::File& f)
{
    const std::vector<uint8_t> bytes = kestrel::test::WriteMd2(m);
    return nimbus::md2::Parse(bytes.data(), bytes.size(), f);
}

TEST(Md2Parser, ReadsSkinsCoordinatesTrianglesAndTheScaledFirstFrame)
{
    nimbus::md2::File f;
    Md2Model m = kestrel::test::SampleMd2();
    m.frames = 3;
    ASSERT_EQ(ParseMd2(m, f), ParseStatus::Ok);
    EXPECT_EQ(f.skinWidth, 256);
    ASSERT_EQ(f.skins.size(), 1u);
    EXPECT_EQ(f.skins[0], "models/skin.pcx");
    ASSERT_EQ(f.texCoords.size(), 4u);
    EXPECT_EQ(f.texCoords[1].s, 128);
    EXPECT_EQ(f.texCoords[1].t, 64);
    ASSERT_EQ(f.triangles.size(), 2u);
    EXPECT_EQ(f.triangles[1].vertices[2], 3);
    ASSERT_EQ(f.positions.size(), 12u);
    EXPECT_EQ(f.positions[3], 5.0f); // 10 * 0.5, translation not added
    EXPECT_EQ(f.positions[7], 5.0f);
}

TEST(Md2Parser, RefusesWrongIdentsVersionsAndIndices)
{
    nimbus::md2::File f;
    Md2Model m = kestrel::test::SampleMd2();
    m.version = 7;
    EXPECT_EQ(ParseMd2(m, f), ParseStatus::BadVersion);

    std::vector<uint8_t> bytes = kestrel::test::WriteMd2(kestrel::test::SampleMd2());
    bytes[3] = '3';
    EXPECT_EQ(nimbus::md2::Parse(bytes.data(), bytes.size(), f), ParseStatus::BadIdent);

    m = kestrel::test::SampleMd2();
    m.triangles[2] = 4; // vertex 4 of 4
    EXPECT_EQ(ParseMd2(m, f), ParseStatus::BadIndex);
    m = kestrel::test::SampleMd2();
    m.triangles[5] = -1;
    EXPECT_EQ(ParseMd2(m, f), ParseStatus::BadIndex);
}

TEST(Md2Parser, OffsetsAndCountsOutsideTheFileAreRefused)
{
    const std::vector<uint8_t> good = kestrel::test::WriteMd2(kestrel::test::SampleMd2());
    nimbus::md2::File f;
    for (size_t n = 8; n < good.size(); ++n)
        EXPECT_EQ(nimbus::md2::Parse(good.data(), n, f), ParseStatus::Truncated) << n;

    for (size_t field : {20u, 24u, 28u, 32u, 44u, 48u, 52u, 56u}) {
        std::vector<uint8_t> bad = good;
        bad[field + 3] = 0x7F; // a huge count or offset
        EXPECT_NE(nimbus::md2::Parse(bad.data(), bad.size(), f), ParseStatus::Ok) << field;
        bad[field + 3] = 0x80; // negative
        EXPECT_NE(nimbus::md2::Parse(bad.data(), bad.size(), f), ParseStatus::Ok) << field;
    }
}

TEST(AfsParser, ReadsRecordsAndRefusesBadHeaders)
{
    std::vector<nimbus::afs::Sequence> out;
    const auto bytes = kestrel::test::WriteAfs({{"walk", 1, 20, 0}, {std::string(64, 'r'), 21, 40, 3}});
    ASSERT_EQ(nimbus::afs::Parse(bytes.data(), bytes.size(), out), nimbus::afs::ParseStatus::Ok);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].name, "walk");
    EXPECT_EQ(out[1].name.size(), 64u);
    EXPECT_EQ(out[1].end, 40);
    EXPECT_EQ(out[1].priority, 3);

    for (const auto& bad : {kestrel::test::WriteAfs({}, 0), kestrel::test::WriteAfs({}, -2),
                            std::vector<uint8_t>{'A', 'F', 'X', 1, 0, 0, 0}, std::vector<uint8_t>{'A', 'F'}})
        EXPECT_EQ(nimbus::afs::Parse(bad.data(), bad.size(), out), nimbus::afs::ParseStatus::BadHeader);

    const auto truncated = kestrel::test::WriteAfs({{"walk", 1, 20, 0}}, 1000000);
    std::vector<nimbus::afs::Sequence> fresh;
    EXPECT_EQ(nimbus::afs::Parse(truncated.data(), truncated.size(), fresh), nimbus::afs::ParseStatus::Truncated);
    EXPECT_EQ(fresh.capacity(), 0u);
}

} // namespace
