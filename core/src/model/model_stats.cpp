#include <cstring>

#include "nimbus/model.h"

void CModel::SetMeshFlag(int mesh, unsigned long flag, bool on)
{
    if (mesh < 0 || size_t(mesh) >= mMeshes.size())
        return;
    if (flag != SK_MESH_SELECTED && flag != SK_MESH_HIDDEN)
        return;
    uint8_t& flags = mMeshes[size_t(mesh)].mFlags;
    if (on)
        flags = uint8_t(flags | flag);
    else
        flags = uint8_t(flags & ~flag);
    BuildLists();
}

unsigned char CModel::GetMeshFlag(int mesh) const
{
    if (mesh < 0 || size_t(mesh) >= mMeshes.size())
        return 0;
    return mMeshes[size_t(mesh)].mFlags;
}

SK_MODEL_STATS CModel::GetModelStats() const
{
    SK_MODEL_STATS s{};
    for (const CMesh& m : mMeshes) {
        s.totalVertices += uint32_t(m.mVertices.size());
        s.totalTriangles += uint32_t(m.mTriangles.size());
        s.totalNormals += uint32_t(m.mNormals.size());
        s.totalTexCoords += uint32_t(m.mTexCoords.size());
    }
    s.meshCount = uint32_t(mMeshes.size());
    s.materialCount = uint32_t(mMaterials.size());
    s.jointCount = uint32_t(mJoints.size());
    s.sequenceCount = uint32_t(mSequences.size());
    s.reservedCount = uint32_t(mReserved.size());
    s.animated = mAnimated;
    s.totalFrames = mTotalFrames;
    s.totalTime = float(mTotalFrames) / mFps;
    s.fps = mFps;
    s.boundsMax = mBoundsMax;
    s.boundsMin = mBoundsMin;
    s.center.SetData(-mCenterMatrix.m[12], -mCenterMatrix.m[13], -mCenterMatrix.m[14]);
    s.scale = mScaleMatrix.m[0];
    return s;
}

SK_MESH_STATS CModel::GetMeshStats(int index) const
{
    SK_MESH_STATS s{};
    if (index < 0 || size_t(index) >= mMeshes.size())
        return s;
    const CMesh& m = mMeshes[size_t(index)];
    s.name = m.mName;
    s.vertexCount = uint32_t(m.mVertices.size());
    s.triangleCount = uint32_t(m.mTriangles.size());
    s.normalCount = uint32_t(m.mNormals.size());
    s.texCoordCount = uint32_t(m.mTexCoords.size());
    s.batchCount = uint32_t(m.mBatches.size());
    s.flags = m.mFlags;
    return s;
}

SK_JOINT_STATS CModel::GetJointStats(int index) const
{
    SK_JOINT_STATS s{};
    if (index < 0 || size_t(index) >= mJoints.size())
        return s;
    const CJoint& j = mJoints[size_t(index)];
    s.name = j.mName;
    s.parentName = j.mParentName;
    s.initPosition = j.mInitPos;
    s.initRotation = j.mInitRot;
    s.positionKeyCount = uint32_t(j.mPosKeys.size());
    s.rotationKeyCount = uint32_t(j.mRotKeys.size());
    return s;
}

SK_MATERIAL_STATS CModel::GetMaterialStats(int index) const
{
    SK_MATERIAL_STATS s{};
    if (index < 0 || size_t(index) >= mMaterials.size())
        return s;
    const CMaterial& m = mMaterials[size_t(index)];
    s.name = m.mName;
    s.doubleSided = m.mDoubleSided ? 1 : 0;
    std::memcpy(s.ambient, m.mAmbient, sizeof(s.ambient));
    std::memcpy(s.diffuse, m.mDiffuse, sizeof(s.diffuse));
    std::memcpy(s.specular, m.mSpecular, sizeof(s.specular));
    std::memcpy(s.emissive, m.mEmissive, sizeof(s.emissive));
    s.shininess = m.mShininess;
    s.transparency = m.mTransparency;
    s.diffuseTexture = m.mDiffuseTex.mFileName.c_str();
    s.bumpTexture = m.mBumpTex.mFileName.c_str();
    s.alphaTexture = m.mAlphaTex.mFileName.c_str();
    s.reflectTexture = m.mReflectionTex.mFileName.c_str();
    return s;
}

SK_ANILOOP_STATS CModel::GetLoopStats(int index) const
{
    SK_ANILOOP_STATS s{};
    if (index < 0 || size_t(index) >= mSequences.size())
        return s;
    const CAnimSequence& q = mSequences[size_t(index)];
    s.name = q.mName;
    s.start = q.mStart;
    s.end = q.mEnd;
    s.priority = q.mPriority;
    return s;
}

const char* CModel::AniGetLoopName(int index) const
{
    if (index < 0 || size_t(index) >= mSequences.size())
        return nullptr;
    return mSequences[size_t(index)].mName;
}
