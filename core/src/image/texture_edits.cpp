#include <algorithm>
#include <cstddef>
#include <cmath>
#include <vector>

#include "nimbus/matrix.h"
#include "nimbus/texture.h"
#include "nimbus/vector3d.h"

namespace {
// Edits need a 24- or 32-bit image whose buffer holds every pixel.
unsigned EditableBytesPerPixel(const CTexture& t)
{
    if (t.mBpp != 24 && t.mBpp != 32)
        return 0;
    const unsigned bpp = t.mBpp / 8u;
    if (t.mData.size() < size_t(t.mWidth) * t.mHeight * bpp)
        return 0;
    return bpp;
}
} // namespace

void CTexture::ModGrayscale()
{
    const unsigned bpp = EditableBytesPerPixel(*this);
    if (!bpp)
        return;
    const size_t count = size_t(mWidth) * mHeight;
    uint8_t* p = mData.data();
    for (size_t i = 0; i < count; ++i, p += bpp) {
        if (p[0] == p[1] && p[1] == p[2])
            continue;
        const auto l = uint8_t(0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]);
        p[0] = p[1] = p[2] = l;
    }
}

void CTexture::ModInvert()
{
    const unsigned bpp = EditableBytesPerPixel(*this);
    if (!bpp)
        return;
    const size_t count = size_t(mWidth) * mHeight;
    uint8_t* p = mData.data();
    for (size_t i = 0; i < count; ++i, p += bpp) {
        p[0] = uint8_t(255 - p[0]);
        p[1] = uint8_t(255 - p[1]);
        p[2] = uint8_t(255 - p[2]);
    }
}

void CTexture::ModFlip(unsigned long axis)
{
    const unsigned bpp = EditableBytesPerPixel(*this);
    if (!bpp)
        return;
    const size_t stride = size_t(mWidth) * bpp;
    if (axis == SK_FLIP_VERTICAL) {
        for (uint32_t y = 0; y < mHeight / 2; ++y)
            std::swap_ranges(mData.begin() + std::ptrdiff_t(y * stride), mData.begin() + std::ptrdiff_t((y + 1) * stride),
                             mData.begin() + std::ptrdiff_t((mHeight - 1 - y) * stride));
    } else if (axis == SK_FLIP_HORIZONTAL) {
        for (uint32_t y = 0; y < mHeight; ++y) {
            uint8_t* row = mData.data() + y * stride;
            for (uint32_t x = 0; x < mWidth / 2; ++x)
                std::swap_ranges(row + x * bpp, row + (x + 1) * bpp, row + (mWidth - 1 - x) * bpp);
        }
    }
}

void CTexture::ModRotate(unsigned long direction)
{
    const unsigned bpp = EditableBytesPerPixel(*this);
    if (!bpp || (direction != SK_ROTATE_CW && direction != SK_ROTATE_CCW))
        return;
    const uint32_t w = mWidth, h = mHeight;
    std::vector<uint8_t> rotated(size_t(w) * h * bpp);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            // The new image is h wide and w high.
            const size_t col = direction == SK_ROTATE_CW ? y : h - 1 - y;
            const size_t row = direction == SK_ROTATE_CW ? w - 1 - x : x;
            std::copy_n(mData.data() + (size_t(y) * w + x) * bpp, bpp, rotated.data() + (row * h + col) * bpp);
        }
    std::copy(rotated.begin(), rotated.end(), mData.begin());
    mWidth = h;
    mHeight = w;
}

void CTexture::ModNormalMap(float scale)
{
    const unsigned bpp = EditableBytesPerPixel(*this);
    if (!bpp)
        return;
    ModGrayscale();
    const uint32_t w = mWidth, h = mHeight;
    std::vector<float> height(size_t(w) * h);
    for (size_t i = 0; i < height.size(); ++i)
        height[i] = scale * (float(mData[i * bpp]) - 127.0f);

    CMatrix turn;
    turn.SetRotationDeg(0.0f, 0.0f, -90.0f);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            const CVector3d c(0.0f, 0.0f, height[i]);
            const bool hasUp = y + 1 < h, hasDown = y > 0, hasLeft = x > 0, hasRight = x + 1 < w;
            const CVector3d up = hasUp ? CVector3d(0, 128, height[i + w]) : CVector3d();
            const CVector3d down = hasDown ? CVector3d(0, -128, height[i - w]) : CVector3d();
            const CVector3d left = hasLeft ? CVector3d(-128, 0, height[i - 1]) : CVector3d();
            const CVector3d right = hasRight ? CVector3d(128, 0, height[i + 1]) : CVector3d();
            CVector3d n;
            if (hasUp && hasLeft)
                n += (c - up).Cross(c - left);
            if (hasRight && hasUp)
                n += (c - right).Cross(c - up);
            if (hasLeft && hasDown)
                n += (c - left).Cross(c - down);
            if (hasDown && hasRight)
                n += (c - down).Cross(c - right);
            n.Normalize();
            n.Transform(turn);
            uint8_t* p = mData.data() + i * bpp;
            p[0] = uint8_t(255 - int(127.0f * (n.x + 1.0f)));
            p[1] = uint8_t(int(127.0f * (n.y + 1.0f)));
            p[2] = uint8_t(int(127.0f * (n.z + 1.0f)));
            if (bpp == 4)
                p[3] = 255;
        }
}
