#pragma once
#include "nimbus/export.h"

class CMatrix;

class NIMBUS_API CVector3d {
public:
    CVector3d();
    CVector3d(const CVector3d& other);
    CVector3d(float x, float y, float z);
    explicit CVector3d(const float* data);
    virtual ~CVector3d();

    void SetData(const CVector3d& other);
    void SetData(float x, float y, float z);
    void SetData(const float* data);
    CVector3d& operator=(const CVector3d& other);

    // v = M * v + translation.
    void Transform(const CMatrix& m);
    CVector3d TransformToTarget(const CMatrix& m) const;

    void GetCenterCoords(const CMatrix& m);
    void GetXAxisCoords(const CMatrix& m);
    void GetYAxisCoords(const CMatrix& m);
    void GetZAxisCoords(const CMatrix& m);

    double GetLength() const;
    void Normalize();
    void Negate();
    CVector3d Cross(const CVector3d& b) const;
    float Dot(const CVector3d& b) const;

    CVector3d operator+(const CVector3d& b) const;
    CVector3d operator-(const CVector3d& b) const;
    CVector3d& operator+=(const CVector3d& b);
    CVector3d& operator-=(const CVector3d& b);
    CVector3d& operator+=(const float& s);
    CVector3d& operator-=(const float& s);
    CVector3d& operator*=(const float& s);
    CVector3d& operator/=(const float& s);

    float x, y, z;
};
