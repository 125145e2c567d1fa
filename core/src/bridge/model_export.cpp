#include <cstring>

#include "nimbus/model.h"
#include "tessera/tessera.h"

namespace {

void ExportMesh(const CMesh& mesh, skGroup* g)
{
    skGroupSetName(g, mesh.mName);
    skGroupSetFlags(g, mesh.mFlags);
    skGroupVertexArrayResize(g, int32_t(mesh.mVertices.size()), 0);
    for (size_t i = 0; i < mesh.mVertices.size(); ++i) {
        const CVertex& v = mesh.mVertices[i];
        skVertex* out = skGroupGetVertex(g, int32_t(i));
        if (!out)
            continue;
        skVertexSetVertex(out, v.mLoadedPos);
        if (v.mWeights.empty())
            continue;
        skVertexWeightArrayResize(out, int32_t(v.mWeights.size()), 0);
        for (size_t w = 0; w < v.mWeights.size(); ++w) {
            skWeight* ow = skVertexGetWeight(out, int32_t(w));
            if (!ow)
                continue;
            skWeightSetVertex(ow, v.mWeights[w].mLoadedPos);
            skWeightSetJointInd(ow, v.mWeights[w].mJoint);
            skWeightSetWValue(ow, v.mWeights[w].mWeight);
        }
    }
    skGroupTriangleArrayResize(g, int32_t(mesh.mTriangles.size()), 0);
    for (size_t i = 0; i < mesh.mTriangles.size(); ++i) {
        const CTriangle& t = mesh.mTriangles[i];
        skTriangle* out = skGroupGetTriangle(g, int32_t(i));
        if (!out)
            continue;
        std::memcpy(out->vertexIndices, t.mVertices, sizeof(out->vertexIndices));
        std::memcpy(out->normalIndices, t.mNormals, sizeof(out->normalIndices));
        std::memcpy(out->textureIndices, t.mTexCoords, sizeof(out->textureIndices));
        std::memcpy(out->edgeFlags, t.mEdgeFlags, sizeof(out->edgeFlags));
        out->materialIndex = t.mMaterial;
        out->smoothingGroup = t.mSmoothingGroup;
    }
    skGroupNormalArrayResize(g, int32_t(mesh.mNormals.size()), 0);
    for (size_t i = 0; i < mesh.mNormals.size(); ++i)
        if (skNormal* out = skGroupGetNormal(g, int32_t(i)))
            skNormalSet(out, mesh.mNormals[i].mLoadedDir[0], mesh.mNormals[i].mLoadedDir[1],
                        mesh.mNormals[i].mLoadedDir[2]);
    skGroupTCoordArrayResize(g, int32_t(mesh.mTexCoords.size()), 0);
    for (size_t i = 0; i < mesh.mTexCoords.size(); ++i)
        if (skTCoord* out = skGroupGetTCoord(g, int32_t(i)))
            skTCoordSet(out, mesh.mTexCoords[i].mU, mesh.mTexCoords[i].mV);
}

void ExportMaterial(const CMaterial& m, skMaterial* out)
{
    skMaterialSetName(out, m.mName);
    skMaterialSetDoubleSided(out, m.mDoubleSided ? 1 : 0);
    skMaterialSetAmbient(out, m.mAmbient);
    skMaterialSetDiffuse(out, m.mDiffuse);
    skMaterialSetSpecular(out, m.mSpecular);
    skMaterialSetEmissive(out, m.mEmissive);
    skMaterialSetShininess(out, m.mShininess);
    skMaterialSetTransparency(out, m.mTransparency);
    skMaterialSetTextureDiffuseW(out, m.mDiffuseTex.mFileName.c_str());
    skMaterialSetTextureBumpW(out, m.mBumpTex.mFileName.c_str());
    skMaterialSetTextureAlphaW(out, m.mAlphaTex.mFileName.c_str());
    skMaterialSetTextureReflectW(out, m.mReflectionTex.mFileName.c_str());
}

void ExportKeys(const std::vector<CKeyFrame>& keys, skJoint* joint, bool position)
{
    if (position)
        skJointPosKeyArrayResize(joint, int32_t(keys.size()), 0);
    else
        skJointRotKeyArrayResize(joint, int32_t(keys.size()), 0);
    for (size_t k = 0; k < keys.size(); ++k) {
        skKeyFrame* out = position ? skJointGetPositionKey(joint, int32_t(k)) : skJointGetRotationKey(joint, int32_t(k));
        if (!out)
            continue;
        const float value[3] = {keys[k].mValue.x, keys[k].mValue.y, keys[k].mValue.z};
        skKeyFrameSetTime(out, keys[k].mTime);
        skKeyFrameSetValue(out, value);
    }
}

} // namespace

void CModel::MdlStructExport(skModel* record)
{
    if (!record)
        return;
    skModelNullify(record);
    skModelSetFPS(record, mFps);
    skModelSetAnimationLength(record, int32_t(mTotalFrames));

    skModelGroupArrayResize(record, int32_t(mMeshes.size()), 1);
    for (size_t i = 0; i < mMeshes.size(); ++i)
        if (skGroup* g = skModelGetGroup(record, int32_t(i)))
            ExportMesh(mMeshes[i], g);

    skModelMaterialArrayResize(record, int32_t(mMaterials.size()), 0);
    for (size_t i = 0; i < mMaterials.size(); ++i)
        if (skMaterial* m = skModelGetMaterial(record, int32_t(i)))
            ExportMaterial(mMaterials[i], m);

    skModelJointArrayResize(record, int32_t(mJoints.size()), 1);
    for (size_t i = 0; i < mJoints.size(); ++i) {
        skJoint* j = skModelGetJoint(record, int32_t(i));
        if (!j)
            continue;
        const CJoint& src = mJoints[i];
        skJointSetName(j, src.mName);
        skJointSetParentName(j, src.mParentName);
        const float position[3] = {src.mInitPos.x, src.mInitPos.y, src.mInitPos.z};
        const float rotation[3] = {src.mInitRot.x, src.mInitRot.y, src.mInitRot.z};
        skJointSetInitialPosition(j, position);
        skJointSetInitialRotation(j, rotation);
        ExportKeys(src.mPosKeys, j, true);
        ExportKeys(src.mRotKeys, j, false);
    }

    skModelLoopArrayResize(record, int32_t(mSequences.size()), 0);
    for (size_t i = 0; i < mSequences.size(); ++i) {
        skLoop* l = skModelGetLoop(record, int32_t(i));
        if (!l)
            continue;
        skLoopSetName(l, mSequences[i].mName);
        skLoopSetStartTime(l, mSequences[i].mStart);
        skLoopSetEndTime(l, mSequences[i].mEnd);
        skLoopSetPriority(l, mSequences[i].mPriority);
    }
}
