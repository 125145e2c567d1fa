#include <gtest/gtest.h>

#include "formats/ms3d/ms3d_file.h"
#include "formats/ms3d_writer.h"

namespace {

namespace fx = kestrel::test::ms3d;
using nimbus::ms3d::File;
using nimbus::ms3d::Parse;
using nimbus::ms3d::ParseStatus;

ParseStatus ParseBytes(const std::vector<uint8_t>& bytes, File& out) { return Parse(bytes.data(), bytes.size(), out); }

TEST(Ms3dParser, ReadsEverySectionAsStored)
{
    fx::Model m = fx::SampleModel();
    m.materials[0].alphaMap = "alpha.bmp";
    File f;
    ASSERT_EQ(ParseBytes(fx::Write(m), f), ParseStatus::Ok);
    EXPECT_EQ(f.version, 4);
    ASSERT_EQ(f.vertices.size(), 5u);
    EXPECT_EQ(f.vertices[1].position[0], 1.0f);
    EXPECT_EQ(f.vertices[0].joint, -1);
    EXPECT_EQ(f.vertices[2].joint, 1);
    ASSERT_EQ(f.triangles.size(), 3u);
    EXPECT_EQ(f.triangles[1].vertices[1], 3);
    EXPECT_EQ(f.triangles[1].t[0], 0.25f);
    EXPECT_EQ(f.triangles[2].group, 1);
    ASSERT_EQ(f.groups.size(), 2u);
    EXPECT_EQ(f.groups[0].name, "Body");
    EXPECT_EQ(f.groups[0].triangles, (std::vector<uint16_t>{0, 1}));
    EXPECT_EQ(f.groups[0].material, 0);
    EXPECT_EQ(f.groups[1].material, -1);
    ASSERT_EQ(f.materials.size(), 1u);
    EXPECT_EQ(f.materials[0].texture, "skin.tga");
    EXPECT_EQ(f.materials[0].alphaMap, "alpha.bmp");
    EXPECT_EQ(f.materials[0].diffuse[1], 0.7f);
    EXPECT_EQ(f.framesPerSecond, 24.0f);
    EXPECT_EQ(f.totalFrames, 40);
    ASSERT_EQ(f.joints.size(), 2u);
    EXPECT_EQ(f.joints[1].parentName, "root");
    EXPECT_EQ(f.joints[0].rotationKeys.size(), 2u);
    EXPECT_EQ(f.joints[0].rotationKeys[1].value[2], 1.5f);
    EXPECT_EQ(f.joints[0].positionKeys[0].time, 0.5f);
    EXPECT_FALSE(f.hasComments);
    EXPECT_EQ(f.vertexExtraVersion, 0);
}

TEST(Ms3dParser, HeaderOnlyFileIsAnEmptyModel)
{
    File f;
    ASSERT_EQ(ParseBytes(fx::Write(fx::Model()), f), ParseStatus::Ok);
    EXPECT_TRUE(f.vertices.empty());
    EXPECT_TRUE(f.joints.empty());
}

TEST(Ms3dParser, TrailingBlocks)
{
    fx::Model m = fx::SampleModel();
    m.writeComments = true;
    m.groupComments = {{1, "tail group"}};
    m.jointComments = {{0, "the root"}, {1, ""}};
    m.modelComment = "made by hand";
    m.vertexExtraVersion = 2;
    m.vertexExtras.resize(m.vertices.size());
    m.vertexExtras[1] = {{1, 2, -1}, {50, 30, 0}};
    File f;
    ASSERT_EQ(ParseBytes(fx::Write(m), f), ParseStatus::Ok);
    EXPECT_TRUE(f.hasComments);
    ASSERT_EQ(f.groupComments.size(), 1u);
    EXPECT_EQ(f.groupComments[0].text, "tail group");
    ASSERT_EQ(f.jointComments.size(), 2u);
    ASSERT_EQ(f.modelComments.size(), 1u);
    EXPECT_EQ(f.modelComments[0].text, "made by hand");
    EXPECT_EQ(f.vertexExtraVersion, 2);
    ASSERT_EQ(f.vertexExtras.size(), 5u);
    EXPECT_EQ(f.vertexExtras[1].joints[1], 2);
    EXPECT_EQ(f.vertexExtras[1].weights[0], 50);

    m.vertexExtraVersion = 3; // unknown: the comments stay, the extras are not read
    ASSERT_EQ(ParseBytes(fx::Write(m), f), ParseStatus::Ok);
    EXPECT_TRUE(f.hasComments);
    EXPECT_EQ(f.vertexExtraVersion, 0);
    EXPECT_TRUE(f.vertexExtras.empty());
}

TEST(Ms3dParser, RefusesWrongIdsAndBadIndices)
{
    std::vector<uint8_t> bytes = fx::Write(fx::SampleModel());
    bytes[3] = 'X';
    File f;
    EXPECT_EQ(ParseBytes(bytes, f), ParseStatus::BadId);
    EXPECT_EQ(Parse(nullptr, 0, f), ParseStatus::BadId);

    fx::Model badVertex = fx::SampleModel();
    badVertex.triangles[0].v[2] = 5;
    EXPECT_EQ(ParseBytes(fx::Write(badVertex), f), ParseStatus::BadIndex);
    fx::Model badTriangle = fx::SampleModel();
    badTriangle.groups[1].triangles.push_back(3);
    EXPECT_EQ(ParseBytes(fx::Write(badTriangle), f), ParseStatus::BadIndex);
}

TEST(Ms3dParser, EveryTruncationBeforeTheJointsEndIsRefusedAndLaterOnesKeepTheModel)
{
    fx::Model m = fx::SampleModel();
    const std::vector<uint8_t> core = fx::Write(m);
    m.writeComments = true;
    m.modelComment = "x";
    m.vertexExtraVersion = 1;
    const std::vector<uint8_t> full = fx::Write(m);
    for (size_t n = 0; n < full.size(); ++n) {
        File f;
        const ParseStatus s = Parse(full.data(), n, f);
        if (n < 10)
            EXPECT_EQ(s, ParseStatus::BadId) << n;
        else if (n < core.size())
            EXPECT_EQ(s, ParseStatus::Truncated) << n;
        else {
            EXPECT_EQ(s, ParseStatus::Ok) << n;
            EXPECT_EQ(f.joints.size(), 2u);
        }
    }
}

TEST(Ms3dParser, HugeCountsInATinyFileAllocateNothing)
{
    // 65535 vertices claimed, none present.
    std::vector<uint8_t> bytes = {'M', 'S', '3', 'D', '0', '0', '0', '0', '0', '0', 4, 0, 0, 0, 0xFF, 0xFF};
    File f;
    EXPECT_EQ(ParseBytes(bytes, f), ParseStatus::Truncated);
    EXPECT_EQ(f.vertices.capacity(), 0u);

    // A comment list claiming two billion entries ends the optional blocks, not the model.
    fx::Model m = fx::SampleModel();
    std::vector<uint8_t> withComments = fx::Write(m);
    for (uint8_t b : {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F})
        withComments.push_back(b);
    ASSERT_EQ(ParseBytes(withComments, f), ParseStatus::Ok);
    EXPECT_FALSE(f.hasComments);
    EXPECT_EQ(f.joints.size(), 2u);
}

TEST(Ms3dParser, NameFieldsWithoutTerminatorStopAtTheFieldEnd)
{
    fx::Model m = fx::SampleModel();
    m.groups[0].name = std::string(32, 'G');
    m.materials[0].texture = std::string(128, 't');
    File f;
    ASSERT_EQ(ParseBytes(fx::Write(m), f), ParseStatus::Ok);
    EXPECT_EQ(f.groups[0].name, std::string(32, 'G'));
    EXPECT_EQ(f.materials[0].texture.size(), 128u);
}

} // namespace
