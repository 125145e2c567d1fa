// The STL writer: both forms read back by the STL reader, the facet normal and the
// skinned corners, and failures that leave the target alone.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "stl_export.h"
#include "stl_parser.h"
#include "temp_dir.h"
#include "tool_models.h"

namespace fs = std::filesystem;
using namespace kestrel::test;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Two groups holding three triangles; the second corner of the first triangle is
// skinned to (2, 4, 6) by two weights.
void BuildThreeTriangles(skModel* model)
{
    skGroup* first = skModelAddGroup(model);
    AddVertex(first, 0, 0, 0);
    skVertex* skinned = AddVertex(first, 9, 9, 9);
    AddWeight(skinned, 0, 0.5f, 2, 4, 6);
    AddWeight(skinned, 1, 0.5f, 2, 4, 6);
    AddVertex(first, 0, 1, 0);
    AddNormal(first, 0, 0, 3);
    AddNormal(first, 0, 0, 0);
    skTriangleSetNormalIndices(AddTriangle(first, 0, 1, 2), 0, 0, 1);  // normal (0, 0, 2)
    skTriangleSetNormalIndices(AddTriangle(first, 2, 1, 0), 7, -1, 1); // unknown normals count as 0
    skGroup* second = skModelAddGroup(model);
    AddVertex(second, 1, 2, 3);
    AddVertex(second, 4, 5, 6);
    AddVertex(second, 7, 8, 9);
    AddNormal(second, 1, 0, 0);
    skTriangleSetNormalIndices(AddTriangle(second, 0, 1, 2), 0, 0, 0);
}

kestrel::stl::File ReadBack(const std::string& path)
{
    const std::string bytes = ReadAll(path);
    kestrel::stl::File file;
    EXPECT_EQ(kestrel::stl::Parse(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), file),
              kestrel::stl::ParseStatus::Ok);
    return file;
}

void ExpectThreeTriangles(const kestrel::stl::File& file)
{
    ASSERT_EQ(file.FacetCount(), 3u);
    const auto f0 = file.FacetAt(0);
    EXPECT_FLOAT_EQ(f0.normal[2], 2.0f);
    EXPECT_FLOAT_EQ(f0.corners[1][0], 2.0f);
    EXPECT_FLOAT_EQ(f0.corners[1][1], 4.0f);
    EXPECT_FLOAT_EQ(f0.corners[1][2], 6.0f);
    EXPECT_FLOAT_EQ(f0.corners[2][1], 1.0f);
    EXPECT_FLOAT_EQ(file.FacetAt(1).normal[2], 0.0f);
    EXPECT_FLOAT_EQ(file.FacetAt(2).normal[0], 1.0f);
    EXPECT_FLOAT_EQ(file.FacetAt(2).corners[2][2], 9.0f);
}

TEST(StlExport, BinaryOfThreeTrianglesIs234BytesAndReadsBack)
{
    TempDir dir;
    ToolRecord record;
    BuildThreeTriangles(&record.model);
    CJobProgress progress;
    const std::string path = dir.File("out.stl");
    ASSERT_EQ(kestrel::stl::ExportStl(&record.model, path, {true}, progress), kestrel::stl::ExportResult::Written);
    EXPECT_EQ(fs::file_size(path), 234u);
    EXPECT_EQ(ReadAll(path).substr(0, 14), std::string("Kestrel Model\0", 14));
    EXPECT_EQ(progress.Percent(), 100);
    const kestrel::stl::File file = ReadBack(path);
    EXPECT_TRUE(file.binary);
    ExpectThreeTriangles(file);
}

TEST(StlExport, AsciiReadsBackWithTheFixedSolidLines)
{
    TempDir dir;
    ToolRecord record;
    BuildThreeTriangles(&record.model);
    CJobProgress progress;
    const std::string path = dir.File("out.stla");
    ASSERT_EQ(kestrel::stl::ExportStl(&record.model, path, {false}, progress), kestrel::stl::ExportResult::Written);
    const std::string text = ReadAll(path);
    EXPECT_EQ(text.rfind("solid Object (Created with Kestrel STL Export Plug-In v1.1)\n"
                         "  facet normal 0.000000 0.000000 2.000000\n    outer loop\n"
                         "      vertex 0.000000 0.000000 0.000000\n",
                         0),
              0u);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_TRUE(text.ends_with("    endloop\n  endfacet\nendsolid Object\n"));
    const kestrel::stl::File file = ReadBack(path);
    EXPECT_FALSE(file.binary);
    ExpectThreeTriangles(file);
}

TEST(StlExport, EmptyModelGivesAHeaderOnly)
{
    TempDir dir;
    ToolRecord record;
    CJobProgress progress;
    ASSERT_EQ(kestrel::stl::ExportStl(&record.model, dir.File("e.stl"), {true}, progress),
              kestrel::stl::ExportResult::Written);
    EXPECT_EQ(fs::file_size(dir.File("e.stl")), 84u);
}

TEST(StlExport, UnwritableTargetFailsAndLeavesNothingBehind)
{
    TempDir dir;
    ToolRecord record;
    BuildThreeTriangles(&record.model);
    CJobProgress progress;
    EXPECT_EQ(kestrel::stl::ExportStl(&record.model, dir.File("missing/out.stl"), {true}, progress),
              kestrel::stl::ExportResult::WriteError);
    fs::create_directory(dir.File("folder.stl"));
    EXPECT_EQ(kestrel::stl::ExportStl(&record.model, dir.File("folder.stl"), {true}, progress),
              kestrel::stl::ExportResult::WriteError);
    EXPECT_TRUE(fs::is_directory(dir.File("folder.stl")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator{}), 1);
}

} // namespace
