#pragma once
#include <cstdint>

#include "nimbus/vector3d.h"

// Plain records returned by value; pointers point into the model until it is unloaded.

struct SK_MODEL_STATS {
    uint32_t totalVertices;
    uint32_t totalTriangles;
    uint32_t totalNormals;
    uint32_t totalTexCoords;
    uint32_t meshCount;
    uint32_t materialCount;
    uint32_t jointCount;
    uint32_t sequenceCount;
    uint32_t reservedCount;
    bool animated;
    uint32_t totalFrames;
    float totalTime; // seconds
    float fps;
    CVector3d boundsMax;
    CVector3d boundsMin;
    CVector3d center;
    float scale;
};

struct SK_MESH_STATS {
    const char* name;
    uint32_t vertexCount;
    uint32_t triangleCount;
    uint32_t normalCount;
    uint32_t texCoordCount;
    uint32_t batchCount;
    uint8_t flags;
    CVector3d reserved[3];
};

struct SK_JOINT_STATS {
    const char* name;
    const char* parentName;
    CVector3d initPosition;
    CVector3d initRotation;
    uint32_t positionKeyCount;
    uint32_t rotationKeyCount;
};

struct SK_MATERIAL_STATS {
    const char* name;
    uint32_t doubleSided;
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float emissive[4];
    float shininess;
    float transparency;
    const char16_t* diffuseTexture;
    const char16_t* bumpTexture;
    const char16_t* alphaTexture;
    const char16_t* reflectTexture;
};

struct SK_ANILOOP_STATS {
    const char* name;
    float start;
    float end;
    uint32_t priority;
};
