#include <gtest/gtest.h>

#include <sys/stat.h>

#include <GL/gl.h>

#include <cmath>

#include "render_fixture.h"
#include "temp_dir.h"

using namespace kestrel::test;

namespace {

class CelShading : public RenderTest {};

// Three strips whose normals lean away from the eye by different amounts.
TEST_F(CelShading, BandsFollowTheNormalsAngleToTheEye)
{
    TestModel model;
    const float z[4] = {0.9f, 0.55f, 0.2f, -0.5f};
    for (int i = 0; i < 4; ++i) {
        CMesh strip = Quad("strip", -1.0f + 0.5f * i, -0.5f, -0.6f + 0.5f * i, 0.5f);
        const float y = std::sqrt(1 - z[i] * z[i]);
        for (CNormal& n : strip.mNormals)
            n = Normal(0, y, z[i]);
        model.mMeshes.push_back(strip);
    }
    Finish(model);
    model.Render(10, nullptr);
    EXPECT_EQ(At(-0.8f, 0), Rgba(210, 210, 210));
    EXPECT_EQ(At(-0.3f, 0), Rgba(128, 128, 128));
    EXPECT_EQ(At(0.2f, 0), Rgba(48, 48, 48));
    EXPECT_EQ(At(0.7f, 0), Rgba(48, 48, 48)); // facing away: coordinate 0

    model.SetMeshFlag(0, SK_MESH_SELECTED, true);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    model.Render(10, nullptr);
    EXPECT_EQ(At(-0.8f, 0), Rgba(210, 0, 0));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_1D));
}

TEST_F(CelShading, OutlinePassDrawsBlackEdges)
{
    TestModel model;
    model.mMeshes = {Cube("cube", 0.5f)};
    Finish(model);
    glClearColor(1, 1, 1, 1);
    glRotatef(25, 1, 0, 0);
    glRotatef(35, 0, 1, 0);
    const auto render = [&](unsigned char mode) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        model.Render(mode, nullptr);
        return CountPixels(Rgba(0, 0, 0));
    };
    EXPECT_EQ(render(10), 0);
    EXPECT_GT(render(11), 200);
    EXPECT_EQ(CountPixels(Rgba(255, 255, 255), 110, 110, 130, 130), 0); // the surface is still there
    glClearColor(0, 0, 0, 1);
}

TEST_F(CelShading, ShaderFilesNeedAll256Lines)
{
    TempDir dir;
    const auto write = [&](const char* name, int lines, int value) {
        const std::string path = dir.File(name);
        FILE* f = std::fopen(path.c_str(), "w");
        for (int i = 0; i < lines; ++i)
            std::fprintf(f, "%d %d %d\n", value, value + 1, i);
        std::fclose(f);
        return path;
    };
    TestModel model;
    EXPECT_FALSE(model.LoadShaderFromTextFile(write("short.txt", 255, 9).c_str()));
    EXPECT_EQ(model.mCelRamp[0][0], 48);
    EXPECT_TRUE(model.LoadShaderFromTextFile(write("long.txt", 300, 300).c_str()));
    EXPECT_EQ(model.mCelRamp[0][0], 300 & 0xFF);
    EXPECT_EQ(model.mCelRamp[0][1], 301 & 0xFF);
    EXPECT_EQ(model.mCelRamp[255][2], 255);
    EXPECT_FALSE(model.LoadShaderFromTextFile(dir.File("missing.txt").c_str()));
    EXPECT_FALSE(model.LoadShaderFromTextFile(""));
    EXPECT_FALSE(model.LoadShaderFromTextFile(nullptr));
    const std::string pipe = dir.File("pipe.txt"); // refused at once, not waited on
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(model.LoadShaderFromTextFile(pipe.c_str()));

    unsigned char ramp[256][3];
    for (int i = 0; i < 256; ++i)
        ramp[i][0] = ramp[i][1] = ramp[i][2] = 0;
    ramp[255][0] = 255;
    model.SetShader(&ramp[0][0]);
    EXPECT_EQ(model.mCelRamp[255][0], 255);
    EXPECT_EQ(model.mCelRamp[0][1], 0);
}

} // namespace
