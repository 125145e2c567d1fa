#include <gtest/gtest.h>

#include <cstring>

#include "formats/stl_writer.h"
#include "import_record.h"
#include "stl_parser.h"

namespace {

namespace fx = kestrel::test::stl;
using kestrel::stl::File;
using kestrel::stl::ParseStatus;

ParseStatus Parse(const std::vector<uint8_t>& bytes, File& out) { return kestrel::stl::Parse(bytes.data(), bytes.size(), out); }
ParseStatus Parse(const std::string& text, File& out) { return Parse(kestrel::test::Bytes(text), out); }

TEST(StlParser, ReadsAsciiFacetsExactly)
{
    const auto cube = fx::Cube();
    File f;
    ASSERT_EQ(Parse(fx::WriteAscii("part", cube), f), ParseStatus::Ok);
    EXPECT_FALSE(f.binary);
    EXPECT_EQ(f.name, "part");
    ASSERT_EQ(f.facets.size(), 12u);
    EXPECT_EQ(std::memcmp(f.facets[5].corners, cube[5].v, sizeof(cube[5].v)), 0);
    EXPECT_EQ(std::memcmp(f.facets[5].normal, cube[5].normal, sizeof(cube[5].normal)), 0);
}

// Binary records come out exactly as written, through the host's fast path and through the
// byte-by-byte decoding other hosts use.
TEST(StlParser, BinaryRecordsDecodeExactlyOnEveryHost)
{
    auto cube = fx::Cube();
    cube[3].normal[1] = -0.0f;
    cube[7].v[2][0] = 1.0e-42f; // subnormal
    File f;
    ASSERT_EQ(Parse(fx::WriteBinary("part", cube), f), ParseStatus::Ok);
    ASSERT_TRUE(f.binary);
    ASSERT_EQ(f.FacetCount(), cube.size());
    for (size_t i = 0; i < cube.size(); ++i) {
        kestrel::stl::Facet decoded;
        kestrel::stl::DecodeRecord(
            f.binaryFile.data() + kestrel::stl::kBinaryRecordsAt + kestrel::stl::kBinaryRecordBytes * i, decoded);
        for (const kestrel::stl::Facet& facet : {f.FacetAt(i), decoded}) {
            EXPECT_EQ(std::memcmp(facet.normal, cube[i].normal, sizeof(facet.normal)), 0) << i;
            EXPECT_EQ(std::memcmp(facet.corners, cube[i].v, sizeof(facet.corners)), 0) << i;
        }
    }
}

TEST(StlParser, AsciiDetailsOfTheLines)
{
    File f;
    // No name, CRLF line ends, other words on the lines.
    ASSERT_EQ(Parse(std::string("solid\r\n facet normal 0 0 1 extra\r\nouter loop\r\nvertex 0 0 0\r\n"
                                "vertex 1 0 0\r\nvertex 0 1 0\r\nendloop\r\nendfacet\r\nendsolid\r\n"),
                    f),
              ParseStatus::Ok);
    EXPECT_EQ(f.name, "Object");
    ASSERT_EQ(f.facets.size(), 1u);
    EXPECT_EQ(f.facets[0].corners[1][0], 1.0f);

    // A vertex line with two numbers is not a facet, and the text is not binary either.
    EXPECT_NE(Parse(std::string("solid a\nfacet normal 0 0 1\nouter loop\nvertex 0 0\n"), f), ParseStatus::Ok);
}

TEST(StlParser, EmptyLineBetweenFacetsRejectsTheFile)
{
    std::string text = fx::WriteAscii("a", fx::Cube());
    const size_t second = text.find("  facet normal", 10);
    text.insert(second, "\n");
    File f;
    EXPECT_NE(Parse(text, f), ParseStatus::Ok);
}

TEST(StlParser, BinaryWhoseHeaderBeginsWithSolid)
{
    File f;
    ASSERT_EQ(Parse(fx::WriteBinary("solid trick", fx::Cube()), f), ParseStatus::Ok);
    EXPECT_TRUE(f.binary);
    EXPECT_EQ(f.name, "solid trick");
    ASSERT_EQ(f.FacetCount(), 12u);
    EXPECT_EQ(f.FacetAt(11).corners[2][1], fx::Cube()[11].v[2][1]);
    EXPECT_EQ(f.FacetAt(11).normal[0], fx::Cube()[11].normal[0]);
}

// Files whose size is exactly that of a binary file: the start decides whether the ASCII
// reading is tried at all, and complete ASCII solids there still win as they always did.
TEST(StlParser, FilesOfBinarySizeAreAsciiOnlyWhenTheyStartSo)
{
    File f;
    // Complete solids, then junk, a count of one at byte 80 and one 50-byte record.
    std::vector<uint8_t> ascii = kestrel::test::Bytes("solid early\nendsolid early\n");
    ascii.resize(80, ' ');
    const uint8_t one[4] = {1, 0, 0, 0};
    ascii.insert(ascii.end(), one, one + 4);
    ascii.resize(84 + 50, 'z');
    ASSERT_EQ(Parse(ascii, f), ParseStatus::Ok);
    EXPECT_FALSE(f.binary);
    EXPECT_EQ(f.name, "early");
    EXPECT_EQ(f.FacetCount(), 0u);

    // A binary file whose header opens a solid and holds a facet line that breaks off.
    ASSERT_EQ(Parse(fx::WriteBinary("solid s\nfacet normal 0 0 1", fx::Cube()), f), ParseStatus::Ok);
    EXPECT_TRUE(f.binary);
    EXPECT_EQ(f.FacetCount(), 12u);

    // Text far into the records is data, not a solid: records decide, as the size says.
    std::vector<uint8_t> binary = fx::WriteBinary("terrain", fx::Terrain(4));
    const std::string text = "\nsolid inner\nendsolid inner\n";
    ASSERT_GT(binary.size(), 1200 + text.size());
    std::memcpy(binary.data() + 1200, text.data(), text.size());
    ASSERT_EQ(Parse(binary, f), ParseStatus::Ok);
    EXPECT_TRUE(f.binary);
    EXPECT_EQ(f.name, "terrain");
    EXPECT_EQ(f.FacetCount(), fx::Terrain(4).size());
}

TEST(StlParser, BinaryHeaderNameNeedsOneTo62Characters)
{
    File f;
    ASSERT_EQ(Parse(fx::WriteBinary("", fx::Cube()), f), ParseStatus::Ok);
    EXPECT_EQ(f.name, "Object");
    ASSERT_EQ(Parse(fx::WriteBinary(std::string(63, 'x'), fx::Cube()), f), ParseStatus::Ok);
    EXPECT_EQ(f.name, "Object");
    ASSERT_EQ(Parse(fx::WriteBinary(std::string(62, 'x'), fx::Cube()), f), ParseStatus::Ok);
    EXPECT_EQ(f.name, std::string(62, 'x'));
    // A "solid" header with text after it but a full 80 bytes: the ASCII attempt's name stays.
    ASSERT_EQ(Parse(fx::WriteBinary("solid " + std::string(74, 'y'), fx::Cube()), f), ParseStatus::Ok);
    EXPECT_EQ(f.name, std::string(74, 'y'));
}

TEST(StlParser, BinarySizeMustMatchTheCountExactly)
{
    auto bytes = fx::WriteBinary("b", fx::Cube());
    File f;
    bytes.push_back(0);
    EXPECT_EQ(Parse(bytes, f), ParseStatus::BadSize);
    bytes.resize(bytes.size() - 2);
    EXPECT_EQ(Parse(bytes, f), ParseStatus::BadSize);
    EXPECT_EQ(Parse(std::vector<uint8_t>(83, 0), f), ParseStatus::NotStl);
    EXPECT_EQ(Parse(fx::WriteBinary("b", {}), f), ParseStatus::Ok);
    EXPECT_EQ(f.FacetCount(), 0u);
}

TEST(StlParser, CountThatWouldWrapIn32BitsIsRefused)
{
    // 84 + 50 * (2^31 + 1) wraps to 134 in 32-bit arithmetic; a 134-byte file must not pass.
    auto bytes = fx::WriteBinary("b", {fx::Facet{}});
    const uint32_t count = 0x80000001u;
    std::memcpy(&bytes[80], &count, 4);
    ASSERT_EQ(bytes.size(), 134u);
    File f;
    EXPECT_EQ(Parse(bytes, f), ParseStatus::BadSize);
    EXPECT_EQ(f.FacetCount(), 0u);
}

TEST(StlParser, EverySolidOfAnAsciiFileIsRead)
{
    std::vector<fx::Facet> shifted = fx::Cube();
    for (auto& facet : shifted)
        for (auto& corner : facet.v)
            corner[0] += 2.0f;
    File f;
    ASSERT_EQ(Parse(fx::WriteAscii("base", fx::Cube()) + "\n" + fx::WriteAscii("lid", shifted), f), ParseStatus::Ok);
    EXPECT_FALSE(f.binary);
    EXPECT_EQ(f.name, "base");
    EXPECT_EQ(f.FacetCount(), 12u);
    ASSERT_EQ(f.laterSolids.size(), 1u);
    EXPECT_EQ(f.laterSolids[0].name, "lid");
    ASSERT_EQ(f.laterSolids[0].facets.size(), 12u);
    EXPECT_EQ(std::memcmp(f.laterSolids[0].facets[7].corners, shifted[7].v, sizeof(shifted[7].v)), 0);

    // A nameless solid keeps the usual name, whichever place it has.
    ASSERT_EQ(Parse(fx::WriteAscii("", fx::Cube()) + fx::WriteAscii("lid", shifted) + fx::WriteAscii("", shifted), f),
              ParseStatus::Ok);
    EXPECT_EQ(f.name, "Object");
    ASSERT_EQ(f.laterSolids.size(), 2u);
    EXPECT_EQ(f.laterSolids[0].name, "lid");
    EXPECT_EQ(f.laterSolids[1].name, "Object");
}

TEST(StlParser, BrokenLaterSolidRejectsTheFile)
{
    const std::string first = fx::WriteAscii("base", fx::Cube());
    const std::string second = fx::WriteAscii("lid", fx::Cube());
    File f;
    // Cut inside the name, inside a facet, and just before "endsolid" ends the block.
    for (size_t cut : {size_t(8), second.size() / 2, second.size() - 12}) {
        EXPECT_NE(Parse(first + second.substr(0, cut), f), ParseStatus::Ok) << cut;
        EXPECT_TRUE(f.laterSolids.empty());
    }
    EXPECT_NE(Parse(first + "solid junk\n\xff\xfe\x01 not a facet\n", f), ParseStatus::Ok);
    std::string binaryTail = first + "solid tail\n";
    for (int i = 0; i < 4096; ++i)
        binaryTail += char((i * 37) & 0xFF);
    EXPECT_NE(Parse(binaryTail, f), ParseStatus::Ok);

    // Lines after the last solid that open none are skipped, a stray "endsolid" too.
    ASSERT_EQ(Parse(first + "endsolid base\n\n  trailing words\n", f), ParseStatus::Ok);
    EXPECT_TRUE(f.laterSolids.empty());
    EXPECT_EQ(f.FacetCount(), 12u);
}

} // namespace
