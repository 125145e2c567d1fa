#include <algorithm>
#include <cmath>

#include "model/rest_position.h"
#include "nimbus/model.h"

using nimbus::model::RestPosition;

namespace {
void Extend(CVector3d& max, CVector3d& min, const CVector3d& p)
{
    max.x = std::max(max.x, p.x);
    max.y = std::max(max.y, p.y);
    max.z = std::max(max.z, p.z);
    min.x = std::min(min.x, p.x);
    min.y = std::min(min.y, p.y);
    min.z = std::min(min.z, p.z);
}

bool HasVertices(const std::vector<CMesh>& meshes)
{
    for (const CMesh& m : meshes)
        if (!m.mVertices.empty())
            return true;
    return false;
}

CVector3d JointPosition(const CJoint& j) { return CVector3d(j.mAbsolute.m[12], j.mAbsolute.m[13], j.mAbsolute.m[14]); }
} // namespace

void CModel::Center()
{
    CVector3d max, min;
    if (HasVertices(mMeshes)) {
        bool first = true;
        for (const CMesh& mesh : mMeshes)
            for (const CVertex& v : mesh.mVertices) {
                const CVector3d p = RestPosition(v);
                if (first) {
                    max = min = p;
                    first = false;
                } else {
                    Extend(max, min, p);
                }
            }
    } else if (!mJoints.empty()) {
        if (!InitSkeleton())
            return;
        max = min = JointPosition(mJoints.front());
        for (const CJoint& j : mJoints)
            Extend(max, min, JointPosition(j));
    } else {
        return;
    }
    mBoundsMax = max;
    mBoundsMin = min;
    CVector3d half = max - min;
    half /= 2.0f;
    const CVector3d center = max - half;
    mCenterMatrix.SetTranslation(-center.x, -center.y, -center.z);
}

void CModel::Scale(float size)
{
    const CVector3d c(mCenterMatrix.m[12], mCenterMatrix.m[13], mCenterMatrix.m[14]);
    float m = 0;
    const auto measure = [&](const CVector3d& rest) {
        const CVector3d p = rest + c;
        m = std::max({m, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
    };
    if (HasVertices(mMeshes)) {
        for (const CMesh& mesh : mMeshes)
            for (const CVertex& v : mesh.mVertices)
                measure(RestPosition(v));
    } else if (!mJoints.empty()) {
        for (const CJoint& j : mJoints)
            measure(JointPosition(j));
    } else {
        return;
    }
    const float s = 1.0f / (m * size);
    // A model collapsed onto its centre (or a zero size) has no scale to fit; keep the old one.
    if (!std::isfinite(s) || s == 0.0f)
        return;
    mScaleMatrix.m[0] = mScaleMatrix.m[5] = mScaleMatrix.m[10] = s;
}

bool CModel::Finalize(bool center, bool scale, float size)
{
    Center();
    if (scale)
        Scale(size);
    if (!center)
        mCenterMatrix.LoadIdentity();
    if (!InitSkeleton())
        return false;
    AttachSkin();
    ReloadTextures(true);
    BuildLists();
    return true;
}
