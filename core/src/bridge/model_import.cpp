#include <algorithm>
#include <cstring>
#include <string>

#include "nimbus/model.h"
#include "tessera/tessera.h"
#include "util/multibyte.h"

namespace {

// Names in the record are read no further than their field, terminated or not.
std::string Name(const char* text, size_t field)
{
    return text ? std::string(text, strnlen(text, field)) : std::string();
}

size_t Count(int32_t n) { return n > 0 ? size_t(n) : 0; }

void Widen(CTexture& texture, const char* utf8)
{
    texture.mFileName = nimbus::MultiByteToWide(Name(utf8, SK_TEXTURE_NAME_LENGTH));
}

// release: each array of the group is emptied once copied, so that the largest model is
// never held twice over; the pages it frees serve the arrays copied after it.
void ImportMesh(skGroup* g, CMesh& mesh, bool release)
{
    mesh.SetName(Name(skGroupGetName(g), SK_NAME_LENGTH).c_str());
    mesh.mFlags = skGroupGetFlags(g);
    mesh.mTriangles.resize(Count(skGroupGetFaceCount(g)));
    for (size_t i = 0; i < mesh.mTriangles.size(); ++i) {
        const skTriangle* t = skGroupGetTriangle(g, int32_t(i));
        if (!t)
            continue;
        CTriangle& out = mesh.mTriangles[i];
        std::memcpy(out.mVertices, t->vertexIndices, sizeof(out.mVertices));
        std::memcpy(out.mNormals, t->normalIndices, sizeof(out.mNormals));
        std::memcpy(out.mTexCoords, t->textureIndices, sizeof(out.mTexCoords));
        std::memcpy(out.mEdgeFlags, t->edgeFlags, sizeof(out.mEdgeFlags));
        out.mMaterial = t->materialIndex;
        out.mSmoothingGroup = t->smoothingGroup;
        out.mTextured = (t->textureIndices[0] != -1 && t->textureIndices[1] != -1 && t->textureIndices[2] != -1) ? 1 : 0;
    }
    if (release)
        skGroupTriangleArrayResize(g, 0, 0);
    mesh.mVertices.resize(Count(skGroupGetVertexCount(g)));
    for (size_t i = 0; i < mesh.mVertices.size(); ++i) {
        const skVertex* v = skGroupGetVertex(g, int32_t(i));
        if (!v)
            continue;
        CVertex& out = mesh.mVertices[i];
        out.mLoadedPos[0] = out.mPos[0] = v->x;
        out.mLoadedPos[1] = out.mPos[1] = v->y;
        out.mLoadedPos[2] = out.mPos[2] = v->z;
        // The weight array is read through the library, which knows its real length.
        out.mWeights.resize(Count(skVertexGetWeightCount(v)));
        for (size_t w = 0; w < out.mWeights.size(); ++w) {
            const skWeight* in = skVertexGetWeight(v, int32_t(w));
            if (!in)
                continue;
            CVertexWeight& ow = out.mWeights[w];
            ow.mLoadedPos[0] = in->x;
            ow.mLoadedPos[1] = in->y;
            ow.mLoadedPos[2] = in->z;
            ow.mJoint = in->jointIndex;
            ow.mWeight = in->value;
        }
    }
    if (release)
        skGroupVertexArrayResize(g, 0, 0);
    mesh.mNormals.resize(Count(skGroupGetNormalCount(g)));
    for (size_t i = 0; i < mesh.mNormals.size(); ++i)
        if (const skNormal* n = skGroupGetNormal(g, int32_t(i))) {
            CNormal& out = mesh.mNormals[i];
            out.mLoadedDir[0] = out.mDir[0] = n->x;
            out.mLoadedDir[1] = out.mDir[1] = n->y;
            out.mLoadedDir[2] = out.mDir[2] = n->z;
        }
    if (release)
        skGroupNormalArrayResize(g, 0, 0);
    mesh.mTexCoords.resize(Count(skGroupGetTCoordsCount(g)));
    for (size_t i = 0; i < mesh.mTexCoords.size(); ++i)
        if (const skTCoord* t = skGroupGetTCoord(g, int32_t(i))) {
            mesh.mTexCoords[i].mU = t->u;
            mesh.mTexCoords[i].mV = t->v;
        }
    if (release)
        skGroupTCoordArrayResize(g, 0, 0);
    mesh.BuildMaterialBatches();
}

void ImportMaterial(const skMaterial* in, CMaterial& m)
{
    skfCopyName(m.mName, Name(skMaterialGetName(in), SK_NAME_LENGTH).c_str());
    m.mDoubleSided = skMaterialGetDoubleSided(in) != 0;
    const skColor a = skMaterialGetAmbient(in), d = skMaterialGetDiffuse(in), s = skMaterialGetSpecular(in),
                  e = skMaterialGetEmissive(in);
    const auto set = [](float* dst, const skColor& c) {
        dst[0] = c.r;
        dst[1] = c.g;
        dst[2] = c.b;
        dst[3] = c.a;
    };
    set(m.mAmbient, a);
    set(m.mDiffuse, d);
    set(m.mSpecular, s);
    set(m.mEmissive, e);
    m.mShininess = skMaterialGetShininess(in);
    m.mTransparency = skMaterialGetTransparency(in);
    Widen(m.mDiffuseTex, skMaterialGetTextureDiffuse(in));
    Widen(m.mBumpTex, skMaterialGetTextureBump(in));
    Widen(m.mAlphaTex, skMaterialGetTextureAlpha(in));
    Widen(m.mReflectionTex, skMaterialGetTextureReflect(in));
}

void ImportKeys(const skJoint* j, bool position, std::vector<CKeyFrame>& keys)
{
    const size_t n = Count(position ? skJointGetPositionKeyCount(j) : skJointGetRotationKeyCount(j));
    keys.reserve(n);
    for (size_t k = 0; k < n; ++k) {
        const skKeyFrame* key = position ? skJointGetPositionKey(j, int32_t(k)) : skJointGetRotationKey(j, int32_t(k));
        if (key)
            keys.emplace_back(key->time, CVector3d(key->value));
    }
}

} // namespace

// Indices are taken as they are: the engine never follows one outside its array.
bool CModel::MdlStructImport(skModel* record) { return ImportRecord(record, false); }

bool CModel::MdlStructTake(skModel* record) { return ImportRecord(record, true); }

bool CModel::ImportRecord(skModel* record, bool release)
{
    if (!record)
        return false;
    Unload();
    mFps = skModelGetFPS(record);
    const int32_t length = skModelGetAnimationLength(record);
    mTotalFrames = uint32_t(std::max(length, 0));
    mCurrentTime = 0;
    mCurrentSequence = 0;
    mAnimated = mTotalFrames != 0;

    mMeshes.resize(Count(skModelGetGroupCount(record)));
    for (size_t i = 0; i < mMeshes.size(); ++i)
        if (skGroup* g = skModelGetGroup(record, int32_t(i)))
            ImportMesh(g, mMeshes[i], release);

    mMaterials.resize(Count(skModelGetMaterialCount(record)));
    for (size_t i = 0; i < mMaterials.size(); ++i)
        if (const skMaterial* m = skModelGetMaterial(record, int32_t(i)))
            ImportMaterial(m, mMaterials[i]);

    bool keyed = false;
    mJoints.resize(Count(skModelGetJointCount(record)));
    for (size_t i = 0; i < mJoints.size(); ++i) {
        const skJoint* j = skModelGetJoint(record, int32_t(i));
        if (!j)
            continue;
        CJoint& out = mJoints[i];
        out.SetName(Name(skJointGetName(j), SK_NAME_LENGTH).c_str());
        out.SetParentName(Name(skJointGetParentName(j), SK_NAME_LENGTH).c_str());
        const skVec3 p = skJointGetInitialPosition(j), r = skJointGetInitialRotation(j);
        out.mInitPos = CVector3d(p.x, p.y, p.z);
        out.mInitRot = CVector3d(r.x, r.y, r.z);
        ImportKeys(j, true, out.mPosKeys);
        ImportKeys(j, false, out.mRotKeys);
        keyed = keyed || !out.mPosKeys.empty() || !out.mRotKeys.empty();
    }

    if (!keyed) {
        mTotalFrames = 0;
        mAnimated = false;
        return true;
    }
    const size_t loops = Count(skModelGetLoopCount(record));
    if (loops == 0) {
        CAnimSequence& all = mSequences.emplace_back();
        all.SetName("<All frames>");
        all.mStart = 1.0f;
        all.mEnd = float(mTotalFrames);
        return true;
    }
    for (size_t i = 0; i < loops; ++i) {
        const skLoop* l = skModelGetLoop(record, int32_t(i));
        if (!l)
            continue;
        CAnimSequence& s = mSequences.emplace_back();
        s.SetName(Name(skLoopGetName(l), SK_NAME_LENGTH).c_str());
        s.mStart = skLoopGetStartTime(l);
        s.mEnd = skLoopGetEndTime(l);
        s.mPriority = skLoopGetPriority(l);
    }
    return true;
}
