#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstring>
#include <thread>

#include "headless_gl.h"
#include "nimbus/material.h"
#include "temp_dir.h"

namespace {

using kestrel::test::HeadlessGl;
using kestrel::test::Rgba;

class MaterialGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        gl_ = HeadlessGl::Acquire(64, 64, &why);
        ASSERT_NE(gl_, nullptr) << why;
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    // A 2 x 2 image saved as PNG: bottom row red, green; top row blue, white.
    void WriteImage(CMaterial& m, uint8_t bpp)
    {
        CTexture image;
        image.mWidth = 2;
        image.mHeight = 2;
        image.mBpp = bpp;
        image.InitPixelData();
        const uint8_t colours[4][4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 128}};
        for (int i = 0; i < 4; ++i)
            std::memcpy(image.mData.data() + i * (bpp / 8), colours[i], bpp / 8);
        const std::string path = dir_.File("tex" + std::to_string(bpp) + ".png");
        ASSERT_TRUE(image.SaveToFile(path.c_str(), SK_TEX_PNG));
        m.mDiffuseTex.SetFileNameUtf8(path.c_str());
    }

    static GLint TexParam(GLenum name)
    {
        GLint v = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &v);
        return v;
    }

    static GLint LevelParam(GLint level, GLenum name)
    {
        GLint v = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &v);
        return v;
    }

    HeadlessGl* gl_ = nullptr;
    kestrel::test::TempDir dir_;
};

TEST_F(MaterialGl, UploadSetsFiltersAndLevelsForEachMode)
{
    struct Case {
        uint8_t filter;
        GLint mag, min;
        bool mipmaps;
    };
    for (const Case& c : {Case{SK_FILTER_NEAREST, GL_NEAREST, GL_NEAREST, false},
                          Case{SK_FILTER_LINEAR, GL_LINEAR, GL_LINEAR, false},
                          Case{SK_FILTER_MIPMAP, GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST, true}}) {
        CMaterial m;
        WriteImage(m, 24);
        ASSERT_TRUE(m.mDiffuseTex.LoadFromFile());
        m.mDiffuseTex.mFilter = c.filter;
        ASSERT_TRUE(m.UploadTexture(false));
        ASSERT_NE(m.mDiffuseTex.mTexName, 0u);
        EXPECT_TRUE(glIsTexture(m.mDiffuseTex.mTexName));
        EXPECT_EQ(TexParam(GL_TEXTURE_MAG_FILTER), c.mag);
        EXPECT_EQ(TexParam(GL_TEXTURE_MIN_FILTER), c.min);
        EXPECT_EQ(LevelParam(0, GL_TEXTURE_WIDTH), 2);
        EXPECT_EQ(LevelParam(1, GL_TEXTURE_WIDTH), c.mipmaps ? 1 : 0);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}

TEST_F(MaterialGl, UploadReplacesTheOldTextureAndHandlesEmptyAndUnknownModes)
{
    CMaterial m;
    WriteImage(m, 32);
    ASSERT_TRUE(m.UploadTexture(true)); // loads the file, default mode 3
    const GLuint first = m.mDiffuseTex.mTexName;
    EXPECT_EQ(LevelParam(0, GL_TEXTURE_ALPHA_SIZE) > 0, true);
    ASSERT_TRUE(m.UploadTexture(false));
    EXPECT_FALSE(glIsTexture(first) && first != m.mDiffuseTex.mTexName);

    m.mDiffuseTex.mFilter = 9; // unknown: a texture name but no image
    ASSERT_TRUE(m.UploadTexture(false));
    EXPECT_EQ(LevelParam(0, GL_TEXTURE_WIDTH), 0);

    CMaterial empty;
    EXPECT_TRUE(empty.UploadTexture(false));
    EXPECT_EQ(empty.mDiffuseTex.mTexName, 0u);
    empty.mDiffuseTex.SetFileNameUtf8(dir_.File("missing.png").c_str());
    EXPECT_FALSE(empty.UploadTexture(true));
}

// A program that loads a textured model without drawing it (the command line's info) has
// no context: loading keeps the pixels and makes no texture, where mipmapping used to crash.
TEST_F(MaterialGl, UploadWithoutAContextKeepsThePixelsAndMakesNoTexture)
{
    CMaterial m;
    WriteImage(m, 24);
    m.mDiffuseTex.mFilter = SK_FILTER_MIPMAP;
    bool uploaded = true;
    // A thread of its own has no current context.
    std::thread([&] { uploaded = m.UploadTexture(true); }).join();
    EXPECT_FALSE(uploaded);
    EXPECT_EQ(m.mDiffuseTex.mTexName, 0u);
    EXPECT_EQ(m.mDiffuseTex.mWidth, 2u);
    EXPECT_EQ(m.mDiffuseTex.mData.size(), 12u);
}

TEST_F(MaterialGl, InitializeMaterialAppliesColoursSidesAndTexture)
{
    CMaterial m;
    m.mDiffuse[0] = 0.5f;
    m.mDoubleSided = true;
    m.InitializeMaterial();
    float front[4], back[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, front);
    glGetMaterialfv(GL_BACK, GL_DIFFUSE, back);
    EXPECT_FLOAT_EQ(front[0], 0.5f);
    EXPECT_FLOAT_EQ(back[0], 0.1f);
    EXPECT_FLOAT_EQ(back[3], 1.0f);
    GLint twoSide = 0;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    EXPECT_EQ(twoSide, GL_TRUE);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    CMaterial single;
    CMaterial::mIsCulling = 1;
    single.InitializeMaterial();
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    EXPECT_EQ(twoSide, GL_FALSE);
    CMaterial::mIsCulling = 0;
    single.InitializeMaterial();
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    float shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_FLOAT_EQ(shininess, 38.4f);
}

TEST_F(MaterialGl, TexturedQuadShowsTheImageTheRightWayUp)
{
    CMaterial m;
    WriteImage(m, 24);
    ASSERT_TRUE(m.mDiffuseTex.LoadFromFile());
    m.mDiffuseTex.mFilter = SK_FILTER_NEAREST;
    ASSERT_TRUE(m.UploadTexture(false));

    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    m.InitializeMaterial();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0); glVertex2f(-1, -1);
    glTexCoord2f(1, 0); glVertex2f(1, -1);
    glTexCoord2f(1, 1); glVertex2f(1, 1);
    glTexCoord2f(0, 1); glVertex2f(-1, 1);
    glEnd();
    // PixelAt counts y from the top of the picture.
    EXPECT_EQ(gl_->PixelAt(16, 48), Rgba(255, 0, 0));
    EXPECT_EQ(gl_->PixelAt(48, 48), Rgba(0, 255, 0));
    EXPECT_EQ(gl_->PixelAt(16, 16), Rgba(0, 0, 255));
    EXPECT_EQ(gl_->PixelAt(48, 16), Rgba(255, 255, 255));
    glDisable(GL_TEXTURE_2D);
}

TEST_F(MaterialGl, CopiesKeepEveryMember)
{
    CMaterial a;
    std::strcpy(a.mName, "Brass");
    a.mShininess = 12.0f;
    a.mBumpTex.mWidth = 3;
    CMaterial b = a;
    CMaterial c;
    c = a;
    EXPECT_STREQ(b.mName, "Brass");
    EXPECT_STREQ(c.mName, "Brass");
    EXPECT_EQ(c.mShininess, 12.0f);
    EXPECT_EQ(c.mBumpTex.mWidth, 3u);
    EXPECT_STREQ(CMaterial().mName, "Default Material");
}

} // namespace

namespace {

TEST_F(MaterialGl, GlTexturesHaveOneOwnerThroughCopiesAndMoves)
{
    CMaterial m;
    WriteImage(m, 24);
    ASSERT_TRUE(m.UploadTexture(true));
    const GLuint name = m.mDiffuseTex.mTexName;
    {
        const CTexture copy = m.mDiffuseTex;
        EXPECT_EQ(copy.mTexName, 0u);
        EXPECT_EQ(copy.mData, m.mDiffuseTex.mData);
    }
    // Destroying the copy left the original's texture alive.
    EXPECT_TRUE(glIsTexture(name));

    // Growing a list of materials moves them and keeps their textures.
    std::vector<CMaterial> list;
    list.push_back(std::move(m));
    EXPECT_EQ(m.mDiffuseTex.mTexName, 0u);
    for (int i = 0; i < 20; ++i)
        list.emplace_back();
    EXPECT_EQ(list[0].mDiffuseTex.mTexName, name);
    EXPECT_TRUE(glIsTexture(name));
    list.clear();
    EXPECT_FALSE(glIsTexture(name));
}

} // namespace
