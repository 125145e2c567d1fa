#include <GL/gl.h>

#include <cmath>

#include "nimbus/joint.h"
#include "nimbus/model.h"

namespace {
const unsigned char kWhite[3] = {255, 255, 255};

CVector3d Translation(const CMatrix& m) { return CVector3d(m.m[12], m.m[13], m.m[14]); }

void Point(const CVector3d& p, float size, const unsigned char* colour)
{
    glPointSize(size);
    glColor3ubv(colour);
    glBegin(GL_POINTS);
    glVertex3f(p.x, p.y, p.z);
    glEnd();
}

void Line(const CVector3d& a, const CVector3d& b, const unsigned char* colour)
{
    glLineWidth(1.0f);
    glColor3ubv(colour);
    glBegin(GL_LINES);
    glVertex3f(a.x, a.y, a.z);
    glVertex3f(b.x, b.y, b.z);
    glEnd();
}

void Axes(const CVector3d& p, const CMatrix& m)
{
    static const unsigned char colours[3][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    for (int i = 0; i < 3; ++i) {
        const CVector3d end(p.x + 0.05f * m.m[i * 4], p.y + 0.05f * m.m[i * 4 + 1], p.z + 0.05f * m.m[i * 4 + 2]);
        Line(p, end, colours[i]);
    }
}

// Bone space: the tip at (0, 6, 0) lies on the joint, the base at the origin on the parent.
const float kTip[3] = {0, 6, 0};
const float kBase[3] = {0, 0, 0};
const float kSquare[4][3] = {{-0.3f, 0.3f, 0.3f}, {-0.3f, 0.3f, -0.3f}, {0.3f, 0.3f, -0.3f}, {0.3f, 0.3f, 0.3f}};

// The rotation B that takes bone space to the bone's direction d in the parent's space.
CMatrix BoneBasis(const CVector3d& d)
{
    CVector3d dn = d;
    dn.Normalize();
    CVector3d s = dn.Cross(CVector3d(0, 1, 0));
    // A bone along the y axis has no cross product with it; any perpendicular will do.
    if (s.GetLength() < 1e-6)
        s = dn.Cross(CVector3d(1, 0, 0));
    s.Normalize();
    CVector3d u = s.Cross(dn);
    u.Normalize();
    CMatrix b;
    b.m[0] = s.x; b.m[1] = s.y; b.m[2] = s.z;
    b.m[4] = dn.x; b.m[5] = dn.y; b.m[6] = dn.z;
    b.m[8] = u.x; b.m[9] = u.y; b.m[10] = u.z;
    return b;
}

void BoneVertex(const CMatrix& m, const float* p)
{
    const CVector3d v = CVector3d(p).TransformToTarget(m);
    glVertex3f(v.x, v.y, v.z);
}

void WireBone(const CMatrix& m, const unsigned char* colour)
{
    const GLboolean culling = glIsEnabled(GL_CULL_FACE);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glLineWidth(1.0f);
    glColor3ubv(colour);
    glBegin(GL_TRIANGLES);
    const float* tris[4][3] = {{kSquare[0], kTip, kSquare[1]},
                               {kSquare[2], kTip, kSquare[3]},
                               {kSquare[2], kBase, kSquare[1]},
                               {kSquare[0], kBase, kSquare[3]}};
    for (const auto& t : tris)
        for (const float* p : t)
            BoneVertex(m, p);
    glEnd();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (culling)
        glEnable(GL_CULL_FACE);
}

void SolidBone(const CMatrix& m, const CMatrix& basis, const CMatrix& parent, const unsigned char* colour)
{
    static const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1}, specular[4] = {0.3f, 0.3f, 0.3f, 1},
                         emission[4] = {0, 0, 0, 1};
    glEnable(GL_LIGHTING);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glColor3ubv(colour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 35.0f);
    // Sides in the order -x, -z, +x, +z.
    static const float sideNormals[4][2] = {{-0.822f, 0}, {0, -0.822f}, {0.822f, 0}, {0, 0.822f}};
    glBegin(GL_TRIANGLES);
    for (int half = 0; half < 2; ++half) {
        const float y = half == 0 ? 0.569f : -0.569f;
        for (int side = 0; side < 4; ++side) {
            CVector3d n(sideNormals[side][0], y, sideNormals[side][1]);
            basis.VectorRotate(n);
            parent.VectorRotate(n);
            glNormal3f(n.x, n.y, n.z);
            const float* a = kSquare[side];
            const float* b = kSquare[(side + 1) % 4];
            if (half == 0) {
                BoneVertex(m, a);
                BoneVertex(m, kTip);
                BoneVertex(m, b);
            } else {
                BoneVertex(m, b);
                BoneVertex(m, kBase);
                BoneVertex(m, a);
            }
        }
    }
    glEnd();
    glDisable(GL_COLOR_MATERIAL);
}
} // namespace

void CJoint::Render(unsigned char mode, const unsigned char* colorA, const unsigned char* colorB,
                    const unsigned char* colorC, float size)
{
    const unsigned char* a = colorA ? colorA : kWhite;
    const unsigned char* b = colorB ? colorB : kWhite;
    const unsigned char* c = colorC ? colorC : kWhite;
    glDisable(GL_TEXTURE_2D);
    const CVector3d p = Translation(mAbsolute);

    if (mode == 1 || mode == 2) {
        glDisable(GL_LIGHTING);
        if (!mParent) {
            if (mode == 2)
                Axes(p, mAbsolute);
            Point(p, size + 1.0f, c);
        } else {
            const CVector3d q = Translation(mParent->mAbsolute);
            Line(p, q, b);
            if (mode == 2)
                Axes(p, mAbsolute);
            Point(p, size, a);
            Point(q, size, mParent->mParent ? a : c);
        }
    } else if (mode == 3 || mode == 4) {
        if (mode == 3)
            glDisable(GL_LIGHTING);
        if (!mParent) {
            if (mode == 3)
                Point(p, size + 1.0f, c);
        } else {
            const CVector3d d = Translation(mRelative);
            const CMatrix basis = BoneBasis(d);
            CMatrix scale;
            scale.SetScale(float(d.GetLength()) / 6.0f);
            const CMatrix m = mParent->mAbsolute * basis * scale;
            if (mode == 3)
                WireBone(m, b);
            else
                SolidBone(m, basis, mParent->mAbsolute, b);
        }
    }
    glEnable(GL_LIGHTING);
}

void CModel::RenderSkeleton(unsigned char mode, const unsigned char* colorA, const unsigned char* colorB,
                            const unsigned char* colorC, float size)
{
    for (CJoint& joint : mJoints)
        joint.Render(mode, colorA, colorB, colorC, size);
}
