#include <cstring>

#include "kxm3_chunks.h"
#include "kxm3_format.h"
#include "nimbus/model.h"

namespace kestrel::kxm3 {
namespace {

void WriteMesh(ChunkWriter& w, const CMesh& mesh)
{
    w.Begin(kMesh);
    w.Begin(kMeshName);
    w.Text8(mesh.mName, sizeof(mesh.mName));
    w.End();
    w.Begin(kMeshFlags);
    w.U8(mesh.mFlags);
    w.End();
    if (!mesh.mVertices.empty()) {
        w.Begin(kMeshVertices);
        w.U32(uint32_t(mesh.mVertices.size()));
        for (const CVertex& v : mesh.mVertices) {
            w.F32s(v.mLoadedPos, 3);
            w.U32(uint32_t(v.mWeights.size()));
            for (const CVertexWeight& weight : v.mWeights) {
                w.F32s(weight.mLoadedPos, 3);
                w.I32(weight.mJoint);
                w.F32(weight.mWeight);
            }
        }
        w.End();
    }
    if (!mesh.mNormals.empty()) {
        w.Begin(kMeshNormals);
        w.U32(uint32_t(mesh.mNormals.size()));
        for (const CNormal& n : mesh.mNormals)
            w.F32s(n.mLoadedDir, 3);
        w.End();
    }
    if (!mesh.mTexCoords.empty()) {
        w.Begin(kMeshTexCoords);
        w.U32(uint32_t(mesh.mTexCoords.size()));
        for (const CTexCoord& t : mesh.mTexCoords) {
            w.F32(t.mU);
            w.F32(t.mV);
        }
        w.End();
    }
    if (!mesh.mTriangles.empty()) {
        w.Begin(kMeshTriangles);
        w.U32(uint32_t(mesh.mTriangles.size()));
        for (const CTriangle& t : mesh.mTriangles) {
            uint8_t record[kTriangleRecordSize];
            std::memcpy(record, t.mVertices, 12);
            std::memcpy(record + 12, t.mNormals, 12);
            std::memcpy(record + 24, t.mTexCoords, 12);
            uint8_t flags = 0;
            for (int k = 0; k < 3; ++k)
                if (t.mEdgeFlags[k])
                    flags |= uint8_t(1u << k);
            if (t.mTextured)
                flags |= 8;
            record[36] = flags;
            std::memcpy(record + 37, &t.mMaterial, 4);
            record[41] = t.mSmoothingGroup;
            w.Raw(record, sizeof(record));
        }
        w.End();
    }
    w.End();
}

void Colour(ChunkWriter& w, uint16_t id, const float* rgba)
{
    w.Begin(id);
    w.F32s(rgba, 4);
    w.End();
}

void TextureName(ChunkWriter& w, uint16_t id, const CTexture& t)
{
    w.Begin(id);
    w.Text16(t.mFileName.c_str(), kMaxTextureNameUnits);
    w.End();
}

void WriteMaterial(ChunkWriter& w, const CMaterial& m)
{
    w.Begin(kMaterial);
    w.Begin(kMaterialName);
    w.Text8(m.mName, sizeof(m.mName));
    w.End();
    Colour(w, kAmbient, m.mAmbient);
    Colour(w, kDiffuse, m.mDiffuse);
    Colour(w, kSpecular, m.mSpecular);
    Colour(w, kEmissive, m.mEmissive);
    w.Begin(kShininess);
    w.F32(m.mShininess);
    w.End();
    w.Begin(kTransparency);
    w.F32(m.mTransparency);
    w.End();
    w.Begin(kDoubleSided);
    w.U8(m.mDoubleSided ? 1 : 0);
    w.End();
    TextureName(w, kDiffuseMap, m.mDiffuseTex);
    TextureName(w, kBumpMap, m.mBumpTex);
    TextureName(w, kAlphaMap, m.mAlphaTex);
    TextureName(w, kReflectionMap, m.mReflectionTex);
    w.End();
}

void Keys(ChunkWriter& w, uint16_t id, const std::vector<CKeyFrame>& keys)
{
    if (keys.empty())
        return;
    w.Begin(id);
    w.U32(uint32_t(keys.size()));
    for (const CKeyFrame& k : keys) {
        w.F32(k.mValue.x);
        w.F32(k.mValue.y);
        w.F32(k.mValue.z);
        w.F32(k.mTime);
    }
    w.End();
}

void Vector(ChunkWriter& w, uint16_t id, const CVector3d& v)
{
    w.Begin(id);
    w.F32(v.x);
    w.F32(v.y);
    w.F32(v.z);
    w.End();
}

void WriteSkeleton(ChunkWriter& w, const CModel& model)
{
    w.Begin(kSkeleton);
    w.Begin(kTotalFrames);
    w.U32(model.mTotalFrames);
    w.End();
    w.Begin(kFramesPerSecond);
    w.F32(model.mFps);
    w.End();
    w.Begin(kJoints);
    w.U32(uint32_t(model.mJoints.size()));
    for (const CJoint& j : model.mJoints) {
        w.Begin(kJoint);
        w.Begin(kJointName);
        w.Text8(j.mName, sizeof(j.mName));
        w.End();
        w.Begin(kJointParent);
        w.Text8(j.mParentName, sizeof(j.mParentName));
        w.End();
        Vector(w, kJointPosition, j.mInitPos);
        Vector(w, kJointRotation, j.mInitRot);
        Keys(w, kPositionKeys, j.mPosKeys);
        Keys(w, kRotationKeys, j.mRotKeys);
        w.End();
    }
    w.End();
    if (!model.mSequences.empty()) {
        w.Begin(kLoops);
        w.U32(uint32_t(model.mSequences.size()));
        for (const CAnimSequence& s : model.mSequences) {
            w.Begin(kLoop);
            w.Begin(kLoopName);
            w.Text8(s.mName, sizeof(s.mName));
            w.End();
            w.Begin(kLoopStart);
            w.F32(s.mStart);
            w.End();
            w.Begin(kLoopEnd);
            w.F32(s.mEnd);
            w.End();
            w.Begin(kLoopPriority);
            w.U16(s.mPriority);
            w.End();
            w.End();
        }
        w.End();
    }
    w.End();
}

} // namespace

bool IsNativeHeader(const uint8_t* data, size_t size)
{
    return data && size >= kHeaderSize && data[0] == kMagic[0] && data[1] == kMagic[1] && data[2] == kMagic[2] &&
           data[3] == kMagic[3] && uint16_t(data[4] | data[5] << 8) == kVersion;
}

std::vector<uint8_t> Write(const CModel& model)
{
    ChunkWriter w;
    size_t estimate = 64;
    for (const CMesh& m : model.mMeshes)
        estimate += m.mVertices.size() * 40 + m.mNormals.size() * 12 + m.mTexCoords.size() * 8 +
                    m.mTriangles.size() * 42 + 128;
    w.Bytes().reserve(estimate);
    for (uint8_t b : kMagic)
        w.U8(b);
    w.U16(kVersion);
    w.Begin(kRoot);
    if (!model.mMeshes.empty()) {
        w.Begin(kMeshes);
        w.U32(uint32_t(model.mMeshes.size()));
        for (const CMesh& mesh : model.mMeshes)
            WriteMesh(w, mesh);
        w.End();
    }
    if (!model.mMaterials.empty()) {
        w.Begin(kMaterials);
        w.U32(uint32_t(model.mMaterials.size()));
        for (const CMaterial& m : model.mMaterials)
            WriteMaterial(w, m);
        w.End();
    }
    if (!model.mJoints.empty())
        WriteSkeleton(w, model);
    w.End();
    return std::move(w.Bytes());
}

} // namespace kestrel::kxm3
