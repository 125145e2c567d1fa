#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "nimbus/model.h"

namespace {
bool ValidJoint(int32_t joint, size_t count) { return joint >= 0 && size_t(joint) < count; }

// p' = R * p + t for a joint matrix.
inline void Transform(const float* m, const float* p, float* out)
{
    out[0] = m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12];
    out[1] = m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13];
    out[2] = m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14];
}

// R^T * (p - t): into the joint's local space.
inline void InverseTransform(const float* m, const float* p, float* out)
{
    const float x = p[0] - m[12], y = p[1] - m[13], z = p[2] - m[14];
    out[0] = m[0] * x + m[1] * y + m[2] * z;
    out[1] = m[4] * x + m[5] * y + m[6] * z;
    out[2] = m[8] * x + m[9] * y + m[10] * z;
}

// Joint names compare without regard to ASCII case.
std::string FoldedName(const char* name, size_t capacity)
{
    std::string folded(name, strnlen(name, capacity));
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return folded;
}

inline void InverseRotate(const float* m, const float* v, float* out)
{
    out[0] = m[0] * v[0] + m[1] * v[1] + m[2] * v[2];
    out[1] = m[4] * v[0] + m[5] * v[1] + m[6] * v[2];
    out[2] = m[8] * v[0] + m[9] * v[1] + m[10] * v[2];
}
} // namespace

bool CModel::InitSkeleton()
{
    // One map built once keeps deep and wide skeletons linear; the first joint of a name
    // wins, as a search from the start would find it.
    std::unordered_map<std::string, CJoint*> byName;
    byName.reserve(mJoints.size());
    for (CJoint& joint : mJoints)
        byName.emplace(FoldedName(joint.mName, sizeof(joint.mName)), &joint);
    for (CJoint& joint : mJoints) {
        joint.mParent = nullptr;
        if (joint.mParentName[0] == 0)
            continue;
        const auto found = byName.find(FoldedName(joint.mParentName, sizeof(joint.mParentName)));
        if (found == byName.end())
            return false;
        joint.mParent = found->second;
    }
    for (CJoint& joint : mJoints)
        joint.Initialize(mScaleMatrix, mCenterMatrix);
    ++mSkinSerial;
    return true;
}

// A weight whose joint index lies outside the joint array is bound as rigid: its local
// position is the bind position itself, so it never moves.
void CModel::AttachSkin()
{
    const CMatrix m = mScaleMatrix * mCenterMatrix;
    const size_t jointCount = mJoints.size();
    for (CMesh& mesh : mMeshes) {
        for (CVertex& v : mesh.mVertices) {
            if (v.mWeights.empty()) {
                Transform(m.m, v.mLoadedPos, v.mPos);
                continue;
            }
            float sum[3] = {0, 0, 0};
            for (CVertexWeight& w : v.mWeights) {
                float p[3];
                Transform(m.m, w.mLoadedPos, p);
                if (ValidJoint(w.mJoint, jointCount))
                    InverseTransform(mJoints[size_t(w.mJoint)].mAbsolute.m, p, w.mLocalPos);
                else
                    std::copy(p, p + 3, w.mLocalPos);
                for (int k = 0; k < 3; ++k)
                    sum[k] += w.mWeight * w.mLocalPos[k];
            }
            std::copy(sum, sum + 3, v.mPos);
        }

        if (jointCount > 0) {
            // The vertex of the first corner (in triangle order) that uses each normal.
            std::vector<int32_t> owner(mesh.mNormals.size(), -1);
            const size_t vertexCount = mesh.mVertices.size();
            for (const CTriangle& t : mesh.mTriangles)
                for (int c = 0; c < 3; ++c) {
                    const int32_t n = t.mNormals[c];
                    if (n >= 0 && size_t(n) < owner.size() && owner[size_t(n)] == -1)
                        owner[size_t(n)] = (t.mVertices[c] >= 0 && size_t(t.mVertices[c]) < vertexCount)
                                               ? t.mVertices[c]
                                               : -2; // found, but no usable vertex
                }
            for (size_t n = 0; n < mesh.mNormals.size(); ++n) {
                CNormal& normal = mesh.mNormals[n];
                normal.mWeights.clear();
                if (owner[n] < 0)
                    continue;
                const CVertex& v = mesh.mVertices[size_t(owner[n])];
                normal.mWeights.resize(v.mWeights.size());
                for (size_t i = 0; i < v.mWeights.size(); ++i) {
                    CNormalWeight& nw = normal.mWeights[i];
                    nw.mJoint = v.mWeights[i].mJoint;
                    nw.mWeight = v.mWeights[i].mWeight;
                    if (ValidJoint(nw.mJoint, jointCount))
                        InverseRotate(mJoints[size_t(nw.mJoint)].mAbsolute.m, normal.mLoadedDir, nw.mLocalDir);
                    else
                        std::copy(normal.mLoadedDir, normal.mLoadedDir + 3, nw.mLocalDir);
                }
            }
        }
        for (CNormal& normal : mesh.mNormals)
            std::copy(normal.mLoadedDir, normal.mLoadedDir + 3, normal.mDir);
    }
    ++mSkinSerial;
    ++mBindSerial;
}

void CModel::UpdateSkin()
{
    ResetCurrentBounds();
    if (mJoints.empty()) {
        const CMatrix m = mScaleMatrix * mCenterMatrix;
        mCurBounds[0] = mBoundsMax.TransformToTarget(m);
        mCurBounds[1] = mBoundsMin.TransformToTarget(m);
        return;
    }

    // Joint matrices side by side, plus an identity at the end for weights that name no joint.
    const size_t jointCount = mJoints.size();
    mJointPalette.resize((jointCount + 1) * 16);
    for (size_t j = 0; j < jointCount; ++j)
        std::copy(mJoints[j].mAbsolute.m, mJoints[j].mAbsolute.m + 16, &mJointPalette[j * 16]);
    static const CMatrix identity;
    std::copy(identity.m, identity.m + 16, &mJointPalette[jointCount * 16]);
    const float* palette = mJointPalette.data();
    const auto matrixOf = [&](int32_t joint) {
        return palette + 16 * (ValidJoint(joint, jointCount) ? size_t(joint) : jointCount);
    };

    float maxX = -kBoundsReset, maxY = -kBoundsReset, maxZ = -kBoundsReset;
    float minX = kBoundsReset, minY = kBoundsReset, minZ = kBoundsReset;
    for (CMesh& mesh : mMeshes) {
        for (CVertex& v : mesh.mVertices) {
            if (!v.mWeights.empty()) {
                float x = 0, y = 0, z = 0;
                for (const CVertexWeight& w : v.mWeights) {
                    const float* m = matrixOf(w.mJoint);
                    const float* p = w.mLocalPos;
                    x += w.mWeight * (m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12]);
                    y += w.mWeight * (m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13]);
                    z += w.mWeight * (m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]);
                }
                v.mPos[0] = x;
                v.mPos[1] = y;
                v.mPos[2] = z;
            }
            maxX = std::max(maxX, v.mPos[0]);
            maxY = std::max(maxY, v.mPos[1]);
            maxZ = std::max(maxZ, v.mPos[2]);
            minX = std::min(minX, v.mPos[0]);
            minY = std::min(minY, v.mPos[1]);
            minZ = std::min(minZ, v.mPos[2]);
        }
        for (CNormal& n : mesh.mNormals) {
            if (n.mWeights.empty())
                continue;
            float x = 0, y = 0, z = 0;
            for (const CNormalWeight& w : n.mWeights) {
                const float* m = matrixOf(w.mJoint);
                const float* d = w.mLocalDir;
                x += w.mWeight * (m[0] * d[0] + m[4] * d[1] + m[8] * d[2]);
                y += w.mWeight * (m[1] * d[0] + m[5] * d[1] + m[9] * d[2]);
                z += w.mWeight * (m[2] * d[0] + m[6] * d[1] + m[10] * d[2]);
            }
            n.mDir[0] = x;
            n.mDir[1] = y;
            n.mDir[2] = z;
        }
    }
    mCurBounds[0].SetData(maxX, maxY, maxZ);
    mCurBounds[1].SetData(minX, minY, minZ);
    ++mSkinSerial;
}
