#pragma once
#include "nimbus/export.h"
#include "nimbus/matrix.h"
#include "nimbus/vector3d.h"

// Orbit camera: looks from the position at the target after rotating (degrees) and
// panning the scene; the zoom moves the eye along the viewing axis.
class NIMBUS_API CCamera {
public:
    CCamera();
    virtual ~CCamera();

    void SetPosition(float x, float y, float z);
    void SetPosition(const float* p);
    void SetPosition(const CVector3d& p);
    void SetTarget(float x, float y, float z);
    void SetTarget(const float* t);
    void SetTarget(const CVector3d& t);
    void SetRotation(float x, float y, float z);
    void SetRotation(const float* r);
    void SetRotation(const CVector3d& r);
    void SetPan(float x, float y);
    // Returns the zoom actually stored: the eye never passes the target.
    float SetZoom(float z);
    void Reset();

    // Loads the view matrix as the model-view matrix.
    void Activate();
    const float* GetMatrix() const { return mView.m; }
    // Draws the eye's axes and a target marker, for a view from outside.
    void Render();

    CVector3d mTarget;
    CVector3d mPosition;
    CVector3d mRotation;
    CVector3d mPan;
    float mZoom;
    CMatrix mView;

protected:
    void UpdateMatrix();
};
