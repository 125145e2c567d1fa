#pragma once
#include "nimbus/export.h"
#include "nimbus/matrix.h"
#include "nimbus/vector3d.h"

// x, y, z, w with w last. A default quaternion is all zero, not the identity.
class NIMBUS_API CQuaternion {
public:
    CQuaternion();
    CQuaternion(const CQuaternion& other);
    CQuaternion(float x, float y, float z, float w);
    explicit CQuaternion(const float* data);
    virtual ~CQuaternion();

    void SetData(const CQuaternion& other);
    void SetData(float x, float y, float z, float w);
    void SetData(const float* data);
    // Sets the vector part and derives w.
    void SetData(float x, float y, float z);
    void SetData(const CVector3d& v);
    CQuaternion& operator=(const CQuaternion& other);

    void CalcW();
    float GetLength() const;
    void Normalize();
    void Negate();
    float Dot(const CQuaternion& b) const;

    CQuaternion operator+(const CQuaternion& b) const;
    CQuaternion operator-(const CQuaternion& b) const;
    CQuaternion operator*(float s) const;
    CQuaternion operator/(float s) const;

    void GetMatrix(CMatrix& out) const;
    CMatrix GetMatrix() const;
    void SetEulers(const CVector3d& e);
    CVector3d GetEulers() const;

    CQuaternion Slerp(const CQuaternion& b, float t) const;
    CQuaternion Lerp(const CQuaternion& b, float t) const;

    float x, y, z, w;
};
