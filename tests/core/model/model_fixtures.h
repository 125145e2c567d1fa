#pragma once
#include <initializer_list>

#include "nimbus/model.h"

namespace kestrel::test {

// Opens the protected steps of the model to the tests.
class TestModel : public CModel {
public:
    using CModel::AttachSkin;
    using CModel::Center;
    using CModel::InitSkeleton;
    using CModel::Scale;
    using CModel::UpdateSkin;
};

inline CVertex RigidVertex(float x, float y, float z)
{
    CVertex v;
    v.mLoadedPos[0] = v.mPos[0] = x;
    v.mLoadedPos[1] = v.mPos[1] = y;
    v.mLoadedPos[2] = v.mPos[2] = z;
    return v;
}

inline CVertex BoundVertex(float x, float y, float z, std::initializer_list<std::pair<int, float>> joints)
{
    CVertex v;
    for (const auto& [joint, weight] : joints) {
        CVertexWeight w;
        w.mJoint = joint;
        w.mWeight = weight;
        w.mLoadedPos[0] = x;
        w.mLoadedPos[1] = y;
        w.mLoadedPos[2] = z;
        v.mWeights.push_back(w);
    }
    return v;
}

inline CNormal Normal(float x, float y, float z)
{
    CNormal n;
    n.mLoadedDir[0] = n.mDir[0] = x;
    n.mLoadedDir[1] = n.mDir[1] = y;
    n.mLoadedDir[2] = n.mDir[2] = z;
    return n;
}

inline CTriangle Triangle(int a, int b, int c, int material = -1)
{
    CTriangle t;
    t.mVertices[0] = a;
    t.mVertices[1] = b;
    t.mVertices[2] = c;
    t.mNormals[0] = a;
    t.mNormals[1] = b;
    t.mNormals[2] = c;
    t.mMaterial = material;
    return t;
}

inline CJoint Joint(const char* name, const char* parent, CVector3d position, CVector3d rotation = {})
{
    CJoint j;
    j.SetName(name);
    j.SetParentName(parent);
    j.mInitPos = position;
    j.mInitRot = rotation;
    return j;
}

// A quad in the z = z0 plane from (x0, y0) to (x1, y1), facing +z, as two triangles with
// per-vertex normals; the shared diagonal carries no edge flag.
inline CMesh Quad(const char* name, float x0, float y0, float x1, float y1, float z0 = 0)
{
    CMesh m;
    m.SetName(name);
    m.mVertices = {RigidVertex(x0, y0, z0), RigidVertex(x1, y0, z0), RigidVertex(x1, y1, z0),
                   RigidVertex(x0, y1, z0)};
    m.mNormals = {Normal(0, 0, 1), Normal(0, 0, 1), Normal(0, 0, 1), Normal(0, 0, 1)};
    CTriangle a = Triangle(0, 1, 2), b = Triangle(0, 2, 3);
    a.mEdgeFlags[2] = 0; // 2 -> 0 is the diagonal
    b.mEdgeFlags[0] = 0; // 0 -> 2 as well
    m.mTriangles = {a, b};
    m.BuildMaterialBatches();
    return m;
}

} // namespace kestrel::test
