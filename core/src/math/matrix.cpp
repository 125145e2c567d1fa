#include "nimbus/matrix.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "nimbus/vector3d.h"

namespace {
constexpr float kDegToRad = 0.017453292f;
}

CMatrix::CMatrix() { LoadIdentity(); }
CMatrix::CMatrix(const float* data) { SetData(data); }
CMatrix::CMatrix(const CMatrix& other) { std::memcpy(m, other.m, sizeof(m)); }
CMatrix::~CMatrix() = default;

void CMatrix::LoadIdentity()
{
    std::memset(m, 0, sizeof(m));
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

void CMatrix::SetData(const float* data)
{
    if (!data) {
        LoadIdentity();
        return;
    }
    std::memcpy(m, data, sizeof(m));
}

void CMatrix::SetRotationRad(float x, float y, float z)
{
    const double cx = std::cos(x), sx = std::sin(x);
    const double cy = std::cos(y), sy = std::sin(y);
    const double cz = std::cos(z), sz = std::sin(z);
    m[0] = float(cy * cz);
    m[1] = float(cy * sz);
    m[2] = float(-sy);
    m[4] = float(sx * sy * cz - cx * sz);
    m[5] = float(sx * sy * sz + cx * cz);
    m[6] = float(sx * cy);
    m[8] = float(cx * sy * cz + sx * sz);
    m[9] = float(cx * sy * sz - sx * cz);
    m[10] = float(cx * cy);
}

void CMatrix::SetRotationRad(const float* a) { SetRotationRad(a[0], a[1], a[2]); }
void CMatrix::SetRotationRad(const CVector3d& a) { SetRotationRad(a.x, a.y, a.z); }

void CMatrix::SetRotationDeg(float x, float y, float z)
{
    SetRotationRad(x * kDegToRad, y * kDegToRad, z * kDegToRad);
}
void CMatrix::SetRotationDeg(const float* a) { SetRotationDeg(a[0], a[1], a[2]); }
void CMatrix::SetRotationDeg(const CVector3d& a) { SetRotationDeg(a.x, a.y, a.z); }

void CMatrix::SetTranslation(float x, float y, float z)
{
    m[12] = x;
    m[13] = y;
    m[14] = z;
}
void CMatrix::SetTranslation(const float* t) { SetTranslation(t[0], t[1], t[2]); }
void CMatrix::SetTranslation(const CVector3d& t) { SetTranslation(t.x, t.y, t.z); }

void CMatrix::SetScale(float x, float y, float z)
{
    m[0] = x;
    m[5] = y;
    m[10] = z;
}
void CMatrix::SetScale(const CVector3d& s) { SetScale(s.x, s.y, s.z); }
void CMatrix::SetScale(float s) { SetScale(s, s, s); }
float CMatrix::GetScale() const { return 1.0f / m[0]; }

CVector3d CMatrix::GetEulers() const
{
    return CVector3d(float(std::atan2(m[6], m[10])), float(-std::asin(m[2])),
                     float(std::atan2(m[1], m[0])));
}

void CMatrix::GetString(char* out) const
{
    std::sprintf(out,
                 "%f %f %f %f\n%f %f %f %f\n%f %f %f %f\n%f %f %f %f\n",
                 m[0], m[4], m[8], m[12], m[1], m[5], m[9], m[13],
                 m[2], m[6], m[10], m[14], m[3], m[7], m[11], m[15]);
}

void CMatrix::Inverse()
{
    const float* o = m;
    float r[16];
    r[0] = o[0]; r[1] = o[4]; r[2] = o[8];
    r[4] = o[1]; r[5] = o[5]; r[6] = o[9];
    r[8] = o[2]; r[9] = o[6]; r[10] = o[10];
    r[3] = r[7] = r[11] = 0.0f;
    r[15] = 1.0f;
    // Rotation-style inverse: the translation becomes R^T * t (not its negation); callers
    // only invert matrices whose translation is zero or unused.
    r[12] = o[0] * o[12] + o[1] * o[13] + o[2] * o[14];
    r[13] = o[4] * o[12] + o[5] * o[13] + o[6] * o[14];
    r[14] = o[8] * o[12] + o[9] * o[13] + o[10] * o[14];
    std::memcpy(m, r, sizeof(m));
}

void CMatrix::Transpose()
{
    for (int r = 0; r < 4; ++r)
        for (int c = r + 1; c < 4; ++c) {
            const float t = m[c * 4 + r];
            m[c * 4 + r] = m[r * 4 + c];
            m[r * 4 + c] = t;
        }
}

void CMatrix::VectorRotate(float& x, float& y, float& z) const
{
    const float vx = x, vy = y, vz = z;
    x = m[0] * vx + m[4] * vy + m[8] * vz;
    y = m[1] * vx + m[5] * vy + m[9] * vz;
    z = m[2] * vx + m[6] * vy + m[10] * vz;
}
void CMatrix::VectorRotate(float* v) const { VectorRotate(v[0], v[1], v[2]); }
void CMatrix::VectorRotate(CVector3d& v) const { VectorRotate(v.x, v.y, v.z); }

void CMatrix::VectorInverseRotate(float& x, float& y, float& z) const
{
    const float vx = x, vy = y, vz = z;
    x = m[0] * vx + m[1] * vy + m[2] * vz;
    y = m[4] * vx + m[5] * vy + m[6] * vz;
    z = m[8] * vx + m[9] * vy + m[10] * vz;
}
void CMatrix::VectorInverseRotate(float* v) const { VectorInverseRotate(v[0], v[1], v[2]); }
void CMatrix::VectorInverseRotate(CVector3d& v) const { VectorInverseRotate(v.x, v.y, v.z); }

void CMatrix::VectorTranslate(float& x, float& y, float& z) const
{
    x += m[12];
    y += m[13];
    z += m[14];
}
void CMatrix::VectorTranslate(float* v) const { VectorTranslate(v[0], v[1], v[2]); }
void CMatrix::VectorTranslate(CVector3d& v) const { VectorTranslate(v.x, v.y, v.z); }

void CMatrix::VectorInverseTranslate(float& x, float& y, float& z) const
{
    x -= m[12];
    y -= m[13];
    z -= m[14];
}
void CMatrix::VectorInverseTranslate(float* v) const { VectorInverseTranslate(v[0], v[1], v[2]); }
void CMatrix::VectorInverseTranslate(CVector3d& v) const { VectorInverseTranslate(v.x, v.y, v.z); }

CMatrix& CMatrix::operator=(const CMatrix& other)
{
    if (this != &other)
        std::memcpy(m, other.m, sizeof(m));
    return *this;
}

bool CMatrix::operator==(const CMatrix& other) const
{
    return std::memcmp(m, other.m, sizeof(m)) == 0;
}
bool CMatrix::operator!=(const CMatrix& other) const { return !(*this == other); }

CMatrix& CMatrix::operator*=(const CMatrix& b)
{
    const float* a = m;
    float r[16];
    for (int c = 0; c < 3; ++c)
        for (int row = 0; row < 3; ++row)
            r[c * 4 + row] = a[row] * b.m[c * 4] + a[4 + row] * b.m[c * 4 + 1] + a[8 + row] * b.m[c * 4 + 2];
    for (int row = 0; row < 3; ++row)
        r[12 + row] = a[row] * b.m[12] + a[4 + row] * b.m[13] + a[8 + row] * b.m[14] + a[12 + row];
    r[3] = r[7] = r[11] = 0.0f;
    r[15] = 1.0f;
    std::memcpy(m, r, sizeof(m));
    return *this;
}

CMatrix CMatrix::operator*(const CMatrix& b) const
{
    CMatrix r(*this);
    r *= b;
    return r;
}
