#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "nimbus/model.h"
#include "util/file_io.h"

namespace {
// 256 lines of three numbers are a few kilobytes; anything far larger is not a ramp.
constexpr uint64_t kMaxShaderFileBytes = uint64_t(1) << 20;
constexpr size_t kLineChars = 63;
} // namespace

void CModel::ReloadTextures(bool load)
{
    // Without a current context (a model read on a worker thread) only the pixels are
    // read; a later ReloadTextures(false) where the model is drawn makes the textures.
    if (!glGetString(GL_VERSION)) {
        if (load)
            for (CMaterial& material : mMaterials)
                material.UploadTexture(true);
        return;
    }
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
    std::vector<uint8_t> bytes;
    if (!nimbus::ReadWholeFile(path, bytes, kMaxShaderFileBytes))
        return false;
    unsigned char ramp[256][3];
    size_t at = 0;
    for (auto& entry : ramp) {
        if (at >= bytes.size())
            return false;
        size_t end = at;
        while (end < bytes.size() && bytes[end] != '\n')
            ++end;
        // Only the start of a long line counts, as a line reader of a small buffer sees it.
        const std::string line(bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(std::min(end, at + kLineChars)));
        at = end + 1;
        int r, g, b;
        if (std::sscanf(line.c_str(), "%d %d %d", &r, &g, &b) != 3)
            return false;
        // Values outside 0-255 keep their low 8 bits.
        entry[0] = (unsigned char)(r);
        entry[1] = (unsigned char)(g);
        entry[2] = (unsigned char)(b);
    }
    std::memcpy(mCelRamp, ramp, sizeof(mCelRamp));
    return true;
}
