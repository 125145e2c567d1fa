#pragma once
#include <cstdint>
#include <vector>

#include "nimbus/export.h"
#include "nimbus/owned_array.h"

// Element names are fixed 64-byte fields; longer names are cut to 63 characters.
constexpr int kSkNameSize = 64;

// Copies a name into a name field, cutting it and always terminating it. A null name clears the field.
NIMBUS_API void skfCopyName(char* field, const char* name);

// One joint influence on a vertex.
class NIMBUS_API CVertexWeight {
public:
    CVertexWeight();
    virtual ~CVertexWeight();

    float mLocalPos[3];  // position in the joint's space, written by AttachSkin
    int32_t mJoint;      // index into the model's joints; -1 or out of range = rigid
    float mWeight;
    float mLoadedPos[3]; // as the loader stored it
};

class NIMBUS_API CVertex {
public:
    CVertex();
    virtual ~CVertex();

    float mPos[3];                       // what is drawn
    COwnedArray<CVertexWeight> mWeights; // empty = rigid vertex
    float mLoadedPos[3];
};

class NIMBUS_API CTriangle {
public:
    CTriangle();
    virtual ~CTriangle();

    int32_t mVertices[3];
    int32_t mNormals[3];
    int32_t mTexCoords[3];      // -1 = none
    uint8_t mEdgeFlags[3];      // edge starting at corner i is drawn in wireframe only if set
    int32_t mMaterial;          // -1 = the model's default material
    uint8_t mSmoothingGroup;
    uint8_t mTextured;          // all three texture coordinate indices are set

    // Sets mTextured from the texture coordinate indices.
    void UpdateTextured();
};

class NIMBUS_API CNormalWeight {
public:
    CNormalWeight();
    virtual ~CNormalWeight();

    float mLocalDir[3];
    int32_t mJoint;
    float mWeight;
};

class NIMBUS_API CNormal {
public:
    CNormal();
    virtual ~CNormal();

    float mDir[3];                       // what is drawn
    COwnedArray<CNormalWeight> mWeights; // built by AttachSkin
    float mLoadedDir[3];
};

class NIMBUS_API CTexCoord {
public:
    CTexCoord();
    virtual ~CTexCoord();

    float mU, mV;
};

// The triangles of one mesh that share a material, in triangle order.
class NIMBUS_API CMaterialBatch {
public:
    CMaterialBatch();
    virtual ~CMaterialBatch();

    int32_t mMaterial; // -1 = default material
    std::vector<uint32_t> mTriangles;
};

enum : unsigned long {
    SK_MESH_SELECTED = 1,
    SK_MESH_HIDDEN = 2,
};

class NIMBUS_API CMesh {
public:
    CMesh();
    virtual ~CMesh();

    void SetName(const char* name) { skfCopyName(mName, name); }
    // One batch per distinct triangle material, in order of first appearance.
    void BuildMaterialBatches();

    char mName[kSkNameSize];
    uint8_t mFlags;
    std::vector<CVertex> mVertices;
    std::vector<CTriangle> mTriangles;
    std::vector<CNormal> mNormals;
    std::vector<CTexCoord> mTexCoords;
    std::vector<CMaterialBatch> mBatches;
};

// A named range of the timeline, in frames.
class NIMBUS_API CAnimSequence {
public:
    CAnimSequence();
    virtual ~CAnimSequence();

    void SetName(const char* name) { skfCopyName(mName, name); }

    char mName[kSkNameSize];
    float mStart;
    float mEnd;
    uint16_t mPriority;
};
