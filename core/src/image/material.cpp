#include "nimbus/material.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cstring>

unsigned char CMaterial::mIsCulling = 0;

namespace {
void SetColour(float* dst, float r, float g, float b, float a)
{
    dst[0] = r;
    dst[1] = g;
    dst[2] = b;
    dst[3] = a;
}
} // namespace

CMaterial::CMaterial() : mName{}, mDoubleSided(false), mShininess(38.4f), mTransparency(1.0f)
{
    std::strcpy(mName, "Default Material");
    SetColour(mAmbient, 0.12f, 0.12f, 0.12f, 1.0f);
    SetColour(mDiffuse, 0.75f, 0.75f, 0.75f, 1.0f);
    SetColour(mSpecular, 0.75f, 0.75f, 0.75f, 1.0f);
    SetColour(mEmissive, 0.0f, 0.0f, 0.0f, 1.0f);
}

CMaterial::CMaterial(const CMaterial& other) = default;

CMaterial& CMaterial::operator=(const CMaterial& other)
{
    if (this == &other)
        return *this;
    std::memcpy(mName, other.mName, sizeof(mName));
    mName[kNameSize - 1] = 0;
    mDoubleSided = other.mDoubleSided;
    std::memcpy(mAmbient, other.mAmbient, sizeof(mAmbient));
    std::memcpy(mDiffuse, other.mDiffuse, sizeof(mDiffuse));
    std::memcpy(mSpecular, other.mSpecular, sizeof(mSpecular));
    std::memcpy(mEmissive, other.mEmissive, sizeof(mEmissive));
    mShininess = other.mShininess;
    mTransparency = other.mTransparency;
    mDiffuseTex = other.mDiffuseTex;
    mBumpTex = other.mBumpTex;
    mAlphaTex = other.mAlphaTex;
    mReflectionTex = other.mReflectionTex;
    return *this;
}

CMaterial::CMaterial(CMaterial&& other) noexcept = default;
CMaterial& CMaterial::operator=(CMaterial&& other) noexcept = default;

CMaterial::~CMaterial() = default;

void CMaterial::InitializeMaterial()
{
    glMaterialfv(GL_FRONT, GL_AMBIENT, mAmbient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, mDiffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, mSpecular);
    glMaterialfv(GL_FRONT, GL_EMISSION, mEmissive);
    if (mDoubleSided) {
        // The back side is drawn darker so that the inside of a shell reads as inside.
        const auto dim = [](const float* c, float* out) { SetColour(out, c[0] * 0.2f, c[1] * 0.2f, c[2] * 0.2f, c[3]); };
        float back[4];
        dim(mAmbient, back);
        glMaterialfv(GL_BACK, GL_AMBIENT, back);
        dim(mDiffuse, back);
        glMaterialfv(GL_BACK, GL_DIFFUSE, back);
        dim(mSpecular, back);
        glMaterialfv(GL_BACK, GL_SPECULAR, back);
        dim(mEmissive, back);
        glMaterialfv(GL_BACK, GL_EMISSION, back);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, mShininess);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
        glDisable(GL_CULL_FACE);
    } else {
        glMaterialf(GL_FRONT, GL_SHININESS, mShininess);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
        if (mIsCulling)
            glEnable(GL_CULL_FACE);
        else
            glDisable(GL_CULL_FACE);
    }
    if (mDiffuseTex.mTexName != 0) {
        glBindTexture(GL_TEXTURE_2D, mDiffuseTex.mTexName);
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}

bool CMaterial::UploadTexture(bool load)
{
    CTexture& tex = mDiffuseTex;
    if (load) {
        if (!tex.LoadFromFile())
            return false;
    } else {
        if (tex.mTexName != 0) {
            const GLuint name = tex.mTexName;
            glDeleteTextures(1, &name);
            tex.mTexName = 0;
        }
        if (tex.mWidth == 0 || tex.mHeight == 0 || tex.mFileName[0] == 0)
            return true;
    }
    if ((tex.mBpp != 24 && tex.mBpp != 32) ||
        tex.mData.size() < size_t(tex.mWidth) * tex.mHeight * (tex.mBpp / 8))
        return false;
    // Without a current context there is nothing to upload to (GLU's mipmapping would read
    // a null extension string); the pixels stay loaded for a later upload.
    if (!glGetString(GL_VERSION))
        return false;
    const GLint components = tex.mBpp == 32 ? 4 : 3;
    const GLenum format = tex.mBpp == 32 ? GL_RGBA : GL_RGB;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    tex.mTexName = name;
    // Rows are tightly packed; a 3-byte pixel row is rarely a multiple of 4.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    switch (tex.mFilter) {
    case SK_FILTER_NEAREST:
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, components, GLsizei(tex.mWidth), GLsizei(tex.mHeight), 0, format,
                     GL_UNSIGNED_BYTE, tex.mData.data());
        break;
    case SK_FILTER_LINEAR:
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, components, GLsizei(tex.mWidth), GLsizei(tex.mHeight), 0, format,
                     GL_UNSIGNED_BYTE, tex.mData.data());
        break;
    case SK_FILTER_MIPMAP:
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        gluBuild2DMipmaps(GL_TEXTURE_2D, components, GLint(tex.mWidth), GLint(tex.mHeight), format,
                          GL_UNSIGNED_BYTE, tex.mData.data());
        break;
    default:
        break;
    }
    return true;
}
