#include "nimbus/vector3d.h"

#include <cmath>

#include "nimbus/matrix.h"

CVector3d::CVector3d() : x(0), y(0), z(0) {}
CVector3d::CVector3d(const CVector3d& o) : x(o.x), y(o.y), z(o.z) {}
CVector3d::CVector3d(float vx, float vy, float vz) : x(vx), y(vy), z(vz) {}
CVector3d::CVector3d(const float* d) : x(d[0]), y(d[1]), z(d[2]) {}
CVector3d::~CVector3d() = default;

void CVector3d::SetData(const CVector3d& o) { x = o.x; y = o.y; z = o.z; }
void CVector3d::SetData(float vx, float vy, float vz) { x = vx; y = vy; z = vz; }
void CVector3d::SetData(const float* d) { x = d[0]; y = d[1]; z = d[2]; }

CVector3d& CVector3d::operator=(const CVector3d& o)
{
    x = o.x;
    y = o.y;
    z = o.z;
    return *this;
}

void CVector3d::Transform(const CMatrix& mat)
{
    const float* m = mat.m;
    const float vx = x, vy = y, vz = z;
    x = m[0] * vx + m[4] * vy + m[8] * vz + m[12];
    y = m[1] * vx + m[5] * vy + m[9] * vz + m[13];
    z = m[2] * vx + m[6] * vy + m[10] * vz + m[14];
}

CVector3d CVector3d::TransformToTarget(const CMatrix& m) const
{
    CVector3d r(*this);
    r.Transform(m);
    return r;
}

void CVector3d::GetCenterCoords(const CMatrix& m) { SetData(m.m[12], m.m[13], m.m[14]); }
void CVector3d::GetXAxisCoords(const CMatrix& m) { SetData(m.m[0], m.m[1], m.m[2]); }
void CVector3d::GetYAxisCoords(const CMatrix& m) { SetData(m.m[4], m.m[5], m.m[6]); }
void CVector3d::GetZAxisCoords(const CMatrix& m) { SetData(m.m[8], m.m[9], m.m[10]); }

double CVector3d::GetLength() const
{
    return std::sqrt(double(x) * x + double(y) * y + double(z) * z);
}

void CVector3d::Normalize()
{
    const double len = GetLength();
    if (len == 0.0)
        return;
    x = float(x / len);
    y = float(y / len);
    z = float(z / len);
}

void CVector3d::Negate()
{
    x = -x;
    y = -y;
    z = -z;
}

CVector3d CVector3d::Cross(const CVector3d& b) const
{
    return CVector3d(y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x);
}

float CVector3d::Dot(const CVector3d& b) const { return x * b.x + y * b.y + z * b.z; }

CVector3d CVector3d::operator+(const CVector3d& b) const { return CVector3d(x + b.x, y + b.y, z + b.z); }
CVector3d CVector3d::operator-(const CVector3d& b) const { return CVector3d(x - b.x, y - b.y, z - b.z); }
CVector3d& CVector3d::operator+=(const CVector3d& b) { x += b.x; y += b.y; z += b.z; return *this; }
CVector3d& CVector3d::operator-=(const CVector3d& b) { x -= b.x; y -= b.y; z -= b.z; return *this; }
CVector3d& CVector3d::operator+=(const float& s) { x += s; y += s; z += s; return *this; }
CVector3d& CVector3d::operator-=(const float& s) { x -= s; y -= s; z -= s; return *this; }
CVector3d& CVector3d::operator*=(const float& s) { x *= s; y *= s; z *= s; return *this; }
CVector3d& CVector3d::operator/=(const float& s) { x /= s; y /= s; z /= s; return *this; }
