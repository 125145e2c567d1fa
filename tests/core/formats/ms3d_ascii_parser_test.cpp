#include <gtest/gtest.h>

#include <string>

#include "formats/ms3d_ascii/ms3d_ascii_file.h"
#include "formats/ms3d_ascii_text.h"

namespace {

using nimbus::ms3d_ascii::File;
using nimbus::ms3d_ascii::ParseError;

bool ParseText(const std::string& text, File& out, ParseError* error = nullptr)
{
    return nimbus::ms3d_ascii::Parse(text.data(), text.size(), out, error);
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(Ms3dAsciiParser, ReadsTheSample)
{
    File f;
    ParseError error;
    ASSERT_TRUE(ParseText(kestrel::test::ms3d_ascii::SampleText(), f, &error)) << error.line << " " << error.what;
    EXPECT_EQ(f.frames, 40);
    ASSERT_EQ(f.meshes.size(), 2u);
    const auto& body = f.meshes[0];
    EXPECT_EQ(body.name, "Body");
    EXPECT_EQ(body.material, 0);
    ASSERT_EQ(body.vertices.size(), 4u);
    EXPECT_EQ(body.vertices[3].position[2], 3.0f);
    EXPECT_EQ(body.vertices[3].v, 0.25f);
    EXPECT_EQ(body.vertices[1].joint, 0);
    ASSERT_EQ(body.triangles.size(), 2u);
    EXPECT_EQ(body.triangles[1].vertices[2], 3);
    EXPECT_EQ(body.triangles[1].normals[0], 1);
    EXPECT_EQ(body.triangles[1].smoothingGroup, 257);
    EXPECT_EQ(f.meshes[1].material, -1);
    ASSERT_EQ(f.materials.size(), 2u);
    EXPECT_EQ(f.materials[0].texture, "skin.tga");
    EXPECT_EQ(f.materials[0].alphaMap, "skin_alpha.tga");
    EXPECT_EQ(f.materials[0].shininess, 12.5f);
    EXPECT_EQ(f.materials[1].texture, "");
    EXPECT_EQ(f.materials[1].transparency, 0.5f);
    ASSERT_EQ(f.joints.size(), 2u);
    EXPECT_EQ(f.joints[0].parentName, "");
    EXPECT_EQ(f.joints[1].parentName, "root");
    EXPECT_EQ(f.joints[1].position[0], 1.0f);
    ASSERT_EQ(f.joints[0].positionKeys.size(), 2u);
    EXPECT_EQ(f.joints[0].positionKeys[1].frame, 40.0f);
    EXPECT_NEAR(f.joints[0].rotationKeys[0].value[2], 1.570796f, 1e-6);
}

TEST(Ms3dAsciiParser, MinimalAndWindowsLineEnds)
{
    File f;
    ASSERT_TRUE(ParseText("Frames: 30\nMeshes: 0\n", f));
    EXPECT_EQ(f.frames, 30);
    EXPECT_TRUE(f.meshes.empty());

    std::string crlf;
    for (char c : kestrel::test::ms3d_ascii::SampleText()) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    ASSERT_TRUE(ParseText(crlf, f));
    EXPECT_EQ(f.materials[0].texture, "skin.tga");
    EXPECT_EQ(f.meshes[0].triangles.size(), 2u);
}

TEST(Ms3dAsciiParser, MalformedLinesFailTheWholeFile)
{
    const std::string sample = kestrel::test::ms3d_ascii::SampleText();
    const struct {
        const char* from;
        const char* to;
    } cases[] = {
        {"0 0 1 2 0 0 0 1\n", "0 0 1 2 0 0 0\n"},              // seven numbers
        {"0 0 2 3 1 1 1 257\n", "0 0 2 4 1 1 1 257\n"},        // vertex 4 of 4
        {"0 0 2 3 1 1 1 257\n", "0 0 2 3 1 1 2 257\n"},        // normal 2 of 2
        {"\"Tail\" 0 -1\n", "\"\" 0 -1\n"},                    // empty mesh name
        {"\"Tail\" 0 -1\n", "\"Tail\" 0\n"},                   // two fields
        {"12.500000\n", "shiny\n"},
        {"\"Plain\"\n", "Plain\n"},
        {"8 1.000000 0.000000 0.000000 0.000000 0.000000 0.000000\n", "8 1 0 0 0 0\n"},
        {"Meshes: 2\n", "Meshes: 3\n"},                        // blocks run into the next section
        {"Bones: 2\n", "Bones: 3\n"},                          // file ends inside a block
        {"Meshes: 2\n", "Meshes: -1\n"},
        {"Bones: 2\n", "Bones: 2000000000\n"},                 // more records than the file could hold
    };
    for (const auto& c : cases) {
        File f;
        ParseError error;
        EXPECT_FALSE(ParseText(Replace(sample, c.from, c.to), f, &error)) << c.to;
        EXPECT_TRUE(f.meshes.empty() && f.materials.empty() && f.joints.empty()) << c.to;
        EXPECT_FALSE(error.what.empty());
    }
}

TEST(Ms3dAsciiParser, LongLinesAreReadInPiecesAndOtherLinesIgnored)
{
    File f;
    // A 300-character comment continues past the first piece; the rest is not a comment
    // but an ordinary line, which is ignored too.
    const std::string text = "//" + std::string(298, 'x') + "\nSomething else\nFrames: 7\n";
    ASSERT_TRUE(ParseText(text, f));
    EXPECT_EQ(f.frames, 7);
    // A mesh name line longer than a piece loses its closing quote and fails.
    const std::string longName = "Meshes: 1\n\"" + std::string(300, 'n') + "\" 0 0\n0\n0\n0\n";
    EXPECT_FALSE(ParseText(longName, f));
}

TEST(Ms3dAsciiParser, NumbersIgnoreTheLocale)
{
    File f;
    ASSERT_TRUE(ParseText("Materials: 1\n\"M\"\n+1.5e0 .25 1 1\n0 0 0 0\n0 0 0 0\n0 0 0 0\n3\n1\n\"a\"\n\"\"\n", f));
    EXPECT_EQ(f.materials[0].ambient[0], 1.5f);
    EXPECT_EQ(f.materials[0].ambient[1], 0.25f);
}

} // namespace
