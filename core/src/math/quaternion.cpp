#include "nimbus/quaternion.h"

#include <algorithm>
#include <cmath>

CQuaternion::CQuaternion() : x(0), y(0), z(0), w(0) {}
CQuaternion::CQuaternion(const CQuaternion& o) : x(o.x), y(o.y), z(o.z), w(o.w) {}
CQuaternion::CQuaternion(float qx, float qy, float qz, float qw) : x(qx), y(qy), z(qz), w(qw) {}
CQuaternion::CQuaternion(const float* d) : x(d[0]), y(d[1]), z(d[2]), w(d[3]) {}
CQuaternion::~CQuaternion() = default;

void CQuaternion::SetData(const CQuaternion& o) { x = o.x; y = o.y; z = o.z; w = o.w; }
void CQuaternion::SetData(float qx, float qy, float qz, float qw) { x = qx; y = qy; z = qz; w = qw; }
void CQuaternion::SetData(const float* d) { x = d[0]; y = d[1]; z = d[2]; w = d[3]; }

void CQuaternion::SetData(float qx, float qy, float qz)
{
    x = qx;
    y = qy;
    z = qz;
    CalcW();
}
void CQuaternion::SetData(const CVector3d& v) { SetData(v.x, v.y, v.z); }

CQuaternion& CQuaternion::operator=(const CQuaternion& o)
{
    SetData(o);
    return *this;
}

void CQuaternion::CalcW()
{
    if (x == 0.0f && y == 0.0f && z == 0.0f) {
        w = 1.0f;
        return;
    }
    const float t = 1.0f - (x * x + y * y + z * z);
    w = t < 0.0f ? 0.0f : -std::sqrt(t);
}

float CQuaternion::GetLength() const { return std::sqrt(x * x + y * y + z * z + w * w); }

void CQuaternion::Normalize()
{
    const float len = GetLength();
    if (len == 0.0f) {
        x = y = z = w = 0.0f;
        return;
    }
    x /= len;
    y /= len;
    z /= len;
    w /= len;
}

void CQuaternion::Negate()
{
    x = -x;
    y = -y;
    z = -z;
    w = -w;
}

float CQuaternion::Dot(const CQuaternion& b) const { return x * b.x + y * b.y + z * b.z + w * b.w; }

CQuaternion CQuaternion::operator+(const CQuaternion& b) const { return {x + b.x, y + b.y, z + b.z, w + b.w}; }
CQuaternion CQuaternion::operator-(const CQuaternion& b) const { return {x - b.x, y - b.y, z - b.z, w - b.w}; }
CQuaternion CQuaternion::operator*(float s) const { return {x * s, y * s, z * s, w * s}; }
CQuaternion CQuaternion::operator/(float s) const { return {x / s, y / s, z / s, w / s}; }

void CQuaternion::GetMatrix(CMatrix& out) const
{
    float* m = out.m;
    m[0] = 1.0f - 2.0f * (y * y + z * z);
    m[1] = 2.0f * (x * y + z * w);
    m[2] = 2.0f * (x * z - y * w);
    m[4] = 2.0f * (x * y - z * w);
    m[5] = 1.0f - 2.0f * (x * x + z * z);
    m[6] = 2.0f * (y * z + x * w);
    m[8] = 2.0f * (x * z + y * w);
    m[9] = 2.0f * (y * z - x * w);
    m[10] = 1.0f - 2.0f * (x * x + y * y);
}

CMatrix CQuaternion::GetMatrix() const
{
    CMatrix m;
    GetMatrix(m);
    return m;
}

void CQuaternion::SetEulers(const CVector3d& e)
{
    const double cx = std::cos(e.x * 0.5), sx = std::sin(e.x * 0.5);
    const double cy = std::cos(e.y * 0.5), sy = std::sin(e.y * 0.5);
    const double cz = std::cos(e.z * 0.5), sz = std::sin(e.z * 0.5);
    x = float(sx * cy * cz - cx * sy * sz);
    y = float(cx * sy * cz + sx * cy * sz);
    z = float(cx * cy * sz - sx * sy * cz);
    w = float(cx * cy * cz + sx * sy * sz);
}

CVector3d CQuaternion::GetEulers() const
{
    const double s = std::clamp(2.0 * (double(x) * z - double(y) * w), -1.0, 1.0);
    const double ww = double(w) * w, xx = double(x) * x, yy = double(y) * y, zz = double(z) * z;
    return CVector3d(float(std::atan2(2.0 * (double(y) * z + double(x) * w), ww - xx - yy + zz)),
                     float(std::asin(-s)),
                     float(std::atan2(2.0 * (double(x) * y + double(z) * w), ww + xx - yy - zz)));
}

CQuaternion CQuaternion::Slerp(const CQuaternion& bIn, float t) const
{
    const CQuaternion& a = *this;
    CQuaternion b(bIn);
    float cosTheta = a.Dot(b);
    // Take the shorter arc; a NaN dot product also lands here.
    if (!(cosTheta >= 0.0f)) {
        b.Negate();
        cosTheta = -cosTheta;
    }
    cosTheta = std::clamp(cosTheta, -1.0f, 1.0f);
    if (1.0f - cosTheta > 0.00001f) {
        const double theta = std::acos(double(cosTheta));
        const double sinTheta = std::sin(theta);
        const float wa = float(std::sin((1.0 - t) * theta) / sinTheta);
        const float wb = float(std::sin(t * theta) / sinTheta);
        CQuaternion r = a * wa + b * wb;
        r.Normalize();
        return r;
    }
    return a.Lerp(b, t);
}

CQuaternion CQuaternion::Lerp(const CQuaternion& b, float t) const
{
    CQuaternion r = *this + (b - *this) * t;
    r.Normalize();
    return r;
}
