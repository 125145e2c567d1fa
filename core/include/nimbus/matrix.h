#pragma once
#include "nimbus/export.h"

class CVector3d;

// 4x4 transform, column-major as OpenGL takes it: element (row r, column c) is m[c * 4 + r].
class NIMBUS_API CMatrix {
public:
    CMatrix();
    explicit CMatrix(const float* data);
    CMatrix(const CMatrix& other);
    virtual ~CMatrix();

    void LoadIdentity();
    void SetData(const float* data);
    const float* GetData() const { return m; }
    float* GetDataMod() { return m; }

    void SetRotationRad(float x, float y, float z);
    void SetRotationRad(const float* angles);
    void SetRotationRad(const CVector3d& angles);
    void SetRotationDeg(float x, float y, float z);
    void SetRotationDeg(const float* angles);
    void SetRotationDeg(const CVector3d& angles);

    void SetTranslation(float x, float y, float z);
    void SetTranslation(const float* t);
    void SetTranslation(const CVector3d& t);

    void SetScale(float x, float y, float z);
    void SetScale(const CVector3d& s);
    void SetScale(float s);
    float GetScale() const;

    CVector3d GetEulers() const;
    // Needs a buffer of at least 16 * 16 characters.
    void GetString(char* out) const;

    void Inverse();
    void Transpose();

    void VectorRotate(float& x, float& y, float& z) const;
    void VectorRotate(float* v) const;
    void VectorRotate(CVector3d& v) const;
    void VectorInverseRotate(float& x, float& y, float& z) const;
    void VectorInverseRotate(float* v) const;
    void VectorInverseRotate(CVector3d& v) const;
    void VectorTranslate(float& x, float& y, float& z) const;
    void VectorTranslate(float* v) const;
    void VectorTranslate(CVector3d& v) const;
    void VectorInverseTranslate(float& x, float& y, float& z) const;
    void VectorInverseTranslate(float* v) const;
    void VectorInverseTranslate(CVector3d& v) const;

    CMatrix& operator=(const CMatrix& other);
    bool operator==(const CMatrix& other) const;
    bool operator!=(const CMatrix& other) const;
    // Affine product: the bottom rows of both operands are ignored and reset.
    CMatrix& operator*=(const CMatrix& b);
    CMatrix operator*(const CMatrix& b) const;

    float m[16];
};
