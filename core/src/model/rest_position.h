#pragma once
#include "nimbus/model_records.h"
#include "nimbus/vector3d.h"

namespace nimbus::model {

// The bind-pose position of a vertex: the weighted sum of its influences' positions,
// or its own loaded position when it is rigid.
inline CVector3d RestPosition(const CVertex& v)
{
    if (v.mWeights.empty())
        return CVector3d(v.mLoadedPos);
    CVector3d p;
    for (const CVertexWeight& w : v.mWeights) {
        p.x += w.mWeight * w.mLoadedPos[0];
        p.y += w.mWeight * w.mLoadedPos[1];
        p.z += w.mWeight * w.mLoadedPos[2];
    }
    return p;
}

} // namespace nimbus::model
