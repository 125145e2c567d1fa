#include <GL/gl.h>

#include "nimbus/camera.h"

CCamera::CCamera() : mPosition(0, 0, 1), mZoom(0) { UpdateMatrix(); }
CCamera::~CCamera() = default;

void CCamera::SetPosition(float x, float y, float z) { mPosition.SetData(x, y, z); UpdateMatrix(); }
void CCamera::SetPosition(const float* p) { SetPosition(p[0], p[1], p[2]); }
void CCamera::SetPosition(const CVector3d& p) { SetPosition(p.x, p.y, p.z); }
void CCamera::SetTarget(float x, float y, float z) { mTarget.SetData(x, y, z); UpdateMatrix(); }
void CCamera::SetTarget(const float* t) { SetTarget(t[0], t[1], t[2]); }
void CCamera::SetTarget(const CVector3d& t) { SetTarget(t.x, t.y, t.z); }
void CCamera::SetRotation(float x, float y, float z) { mRotation.SetData(x, y, z); UpdateMatrix(); }
void CCamera::SetRotation(const float* r) { SetRotation(r[0], r[1], r[2]); }
void CCamera::SetRotation(const CVector3d& r) { SetRotation(r.x, r.y, r.z); }

void CCamera::SetPan(float x, float y)
{
    mPan.x = x;
    mPan.y = y;
    UpdateMatrix();
}

float CCamera::SetZoom(float z)
{
    const float d = float((mTarget - mPosition).GetLength());
    mZoom = d + z < 0 ? -d : z;
    UpdateMatrix();
    return mZoom;
}

void CCamera::Reset()
{
    mRotation.SetData(0, 0, 0);
    mPan.SetData(0, 0, 0);
    mZoom = 0;
    UpdateMatrix();
}

void CCamera::UpdateMatrix()
{
    CMatrix a;
    a.SetRotationDeg(mRotation);
    CMatrix pan;
    pan.SetTranslation(mPan);
    a *= pan;

    const CVector3d p = mPosition.TransformToTarget(a);
    const CVector3d t = mTarget.TransformToTarget(a);
    CVector3d up(0, 1, 0);
    a.VectorRotate(up);

    CVector3d f = p - t;
    f.Normalize();
    CVector3d s = up.Cross(f);
    s.Normalize();
    CVector3d u = f.Cross(s);
    u.Normalize();

    CMatrix b;
    b.m[0] = s.x; b.m[1] = s.y; b.m[2] = s.z;
    b.m[4] = u.x; b.m[5] = u.y; b.m[6] = u.z;
    b.m[8] = f.x; b.m[9] = f.y; b.m[10] = f.z;
    b.Inverse();

    CMatrix eye;
    eye.SetTranslation(-p.x, -p.y, -p.z);
    mView.LoadIdentity();
    mView.SetTranslation(0, 0, -mZoom);
    mView *= b;
    mView *= eye;
}

void CCamera::Activate()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixf(mView.m);
}

void CCamera::Render()
{
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glLineWidth(1.0f);
    const float* v = mView.m;
    // The rows of the view rotation are the eye's right, up and backward directions.
    const CVector3d axes[3] = {CVector3d(v[0], v[4], v[8]), CVector3d(v[1], v[5], v[9]),
                               CVector3d(v[2], v[6], v[10])};
    const unsigned char colours[3][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    glBegin(GL_LINES);
    for (int i = 0; i < 3; ++i) {
        glColor3ubv(colours[i]);
        glVertex3f(mPosition.x, mPosition.y, mPosition.z);
        glVertex3f(mPosition.x + 0.2f * axes[i].x, mPosition.y + 0.2f * axes[i].y,
                   mPosition.z + 0.2f * axes[i].z);
    }
    for (int i = 0; i < 3; ++i) {
        glColor3ubv(colours[i]);
        float lo[3] = {mTarget.x, mTarget.y, mTarget.z};
        float hi[3] = {mTarget.x, mTarget.y, mTarget.z};
        lo[i] -= 0.075f;
        hi[i] += 0.075f;
        glVertex3fv(lo);
        glVertex3fv(hi);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}
