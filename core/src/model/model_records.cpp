#include "nimbus/model_records.h"

#include <cstring>
#include <unordered_map>

void skfCopyName(char* field, const char* name)
{
    if (!name) {
        field[0] = 0;
        return;
    }
    const size_t n = strnlen(name, kSkNameSize - 1);
    std::memcpy(field, name, n);
    field[n] = 0;
}

CVertexWeight::CVertexWeight() : mLocalPos{0, 0, 0}, mJoint(-1), mWeight(1.0f), mLoadedPos{0, 0, 0} {}
CVertexWeight::~CVertexWeight() = default;

CVertex::CVertex() : mPos{0, 0, 0}, mLoadedPos{0, 0, 0} {}
CVertex::~CVertex() = default;

CTriangle::CTriangle()
    : mVertices{0, 0, 0}, mNormals{0, 0, 0}, mTexCoords{-1, -1, -1}, mEdgeFlags{1, 1, 1}, mMaterial(-1),
      mSmoothingGroup(0), mTextured(0)
{
}
CTriangle::~CTriangle() = default;

void CTriangle::UpdateTextured()
{
    mTextured = (mTexCoords[0] != -1 && mTexCoords[1] != -1 && mTexCoords[2] != -1) ? 1 : 0;
}

CNormalWeight::CNormalWeight() : mLocalDir{0, 0, 0}, mJoint(-1), mWeight(1.0f) {}
CNormalWeight::~CNormalWeight() = default;

CNormal::CNormal() : mDir{0, 0, 0}, mLoadedDir{0, 0, 0} {}
CNormal::~CNormal() = default;

CTexCoord::CTexCoord() : mU(0), mV(0) {}
CTexCoord::~CTexCoord() = default;

CMaterialBatch::CMaterialBatch() : mMaterial(-1) {}
CMaterialBatch::~CMaterialBatch() = default;

CMesh::CMesh() : mName{}, mFlags(0) {}
CMesh::~CMesh() = default;

void CMesh::BuildMaterialBatches()
{
    mBatches.clear();
    // A lookup by material keeps this linear even when every triangle names its own;
    // runs of one material (the usual case) skip the lookup.
    std::unordered_map<int32_t, size_t> batchOf;
    size_t last = 0;
    for (uint32_t t = 0; t < mTriangles.size(); ++t) {
        const int32_t material = mTriangles[t].mMaterial;
        if (mBatches.empty() || mBatches[last].mMaterial != material) {
            auto [it, added] = batchOf.emplace(material, mBatches.size());
            if (added)
                mBatches.emplace_back().mMaterial = material;
            last = it->second;
        }
        mBatches[last].mTriangles.push_back(t);
    }
}

CAnimSequence::CAnimSequence() : mName{}, mStart(0), mEnd(0), mPriority(0) {}
CAnimSequence::~CAnimSequence() = default;
