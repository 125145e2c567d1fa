#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "nimbus/model.h"

void CModel::ReloadTextures(bool load)
{
    if (mRampTexture != 0) {
        const GLuint old = mRampTexture;
        glDeleteTextures(1, &old);
        mRampTexture = 0;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    mRampTexture = name;
    glBindTexture(GL_TEXTURE_1D, name);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Coordinates run from 0 (facing away) to 1 (facing the eye); repeating would blend
    // both ends of the ramp there.
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, mCelRamp);
    for (CMaterial& material : mMaterials)
        material.UploadTexture(load);
}

void CModel::SetShader(const unsigned char* ramp)
{
    if (!ramp)
        return;
    std::memcpy(mCelRamp, ramp, sizeof(mCelRamp));
}

bool CModel::LoadShaderFromTextFile(const char* path)
{
    if (!path || !path[0])
        return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "r"), &std::fclose);
    if (!file)
        return false;
    unsigned char ramp[256][3];
    char line[64];
    for (auto& entry : ramp) {
        int r, g, b;
        if (!std::fgets(line, sizeof(line), file.get()) || std::sscanf(line, "%d %d %d", &r, &g, &b) != 3)
            return false;
        // Values outside 0-255 keep their low 8 bits.
        entry[0] = (unsigned char)(r);
        entry[1] = (unsigned char)(g);
        entry[2] = (unsigned char)(b);
        // A line longer than the buffer continues into the next read; skip its rest.
        if (!std::strchr(line, '\n')) {
            int c;
            while ((c = std::fgetc(file.get())) != EOF && c != '\n') {
            }
        }
    }
    std::memcpy(mCelRamp, ramp, sizeof(mCelRamp));
    return true;
}
