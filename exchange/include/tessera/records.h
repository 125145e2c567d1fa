#pragma once
/*
 * Element records of the model exchange record.
 *
 * Callers read and write the fields of vertices, weights, triangles, normals and
 * texture coordinates directly. The other records expose their fields for reading;
 * change them through the set functions of tessera.h so that names stay terminated
 * and the arrays stay consistent.
 *
 * Defaults of a new element (what resize and the add functions give):
 *
 *   model     FPS 24, animation length 0, no elements
 *   group     name "", flags 0, no vertices, triangles, normals or texture coordinates
 *   vertex    position (0, 0, 0), weight count 0, weight pointer null
 *   weight    position (0, 0, 0), joint index -1, value 1.0
 *   triangle  vertex indices 0, 0, 0; normal indices 0, 0, 0; texture-coordinate
 *             indices -1, -1, -1 (not textured); edge flags 1, 1, 1 (all edges
 *             visible); material index -1 (the host's default material);
 *             smoothing group 0
 *   normal    (0, 0, 0)
 *   tex coord (0, 0)
 *   material  name "", double-sided 0, ambient (0.12, 0.12, 0.12, 1),
 *             diffuse (0.75, 0.75, 0.75, 1), specular (0.75, 0.75, 0.75, 1),
 *             emissive (0, 0, 0, 1), shininess 38.4, transparency 1.0 (opaque),
 *             all four texture names ""
 *   joint     name "", parent name "", initial position and rotation (0, 0, 0),
 *             no keys
 *   key frame time 0, value (0, 0, 0)
 *   loop      name "", start 0, end 0, priority 0
 *
 * Names are 8-bit text of at most SK_NAME_LENGTH - 1 bytes; longer names are cut
 * (never inside a UTF-8 sequence). Texture names are UTF-8, at most
 * SK_TEXTURE_NAME_LENGTH - 1 bytes; the wide setters convert from UTF-16.
 */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define SK_NAME_LENGTH 64
#define SK_TEXTURE_NAME_LENGTH 1024

/* Bytes a host allocates for one skModel (malloc or new; the record needs pointer
 * alignment). sizeof(skModel) never exceeds it. */
#define SK_MODEL_RECORD_SIZE 52

#define SK_ARRAY_SEGMENTS 28

/* An array owned by a record. Only `count` is meant for callers (read only);
 * elements live in segments that never move while the array grows, so a pointer
 * returned by a get or add function stays valid until that element is removed
 * (by shrinking the array or nullifying its owner). */
typedef struct skArray {
    int32_t count;
    int32_t reserved;
    void* segments[SK_ARRAY_SEGMENTS];
} skArray;

typedef struct skVec3 {
    float x, y, z;
} skVec3;

typedef struct skColor {
    float r, g, b, a;
} skColor;

typedef struct skWeight {
    float x, y, z;
    int32_t jointIndex;
    float value;
} skWeight;

/* `weights` points to `weightCount` contiguous weights owned by the vertex. Unlike
 * the other arrays it is one block: skVertexWeightArrayResize and skVertexAddWeight
 * may move it, so weight pointers of a vertex are invalid after either call. */
typedef struct skVertex {
    float x, y, z;
    uint16_t weightCount;
    skWeight* weights;
} skVertex;

typedef struct skTriangle {
    int32_t vertexIndices[3];
    int32_t normalIndices[3];
    int32_t textureIndices[3];
    uint8_t edgeFlags[3];
    int32_t materialIndex;
    uint8_t smoothingGroup;
} skTriangle;

typedef struct skNormal {
    float x, y, z;
} skNormal;

typedef struct skTCoord {
    float u, v;
} skTCoord;

typedef struct skKeyFrame {
    float time;  /* in frames */
    float value[3];
} skKeyFrame;

typedef struct skJoint {
    char name[SK_NAME_LENGTH];
    char parentName[SK_NAME_LENGTH];
    float initialPosition[3];
    float initialRotation[3];  /* Euler angles in radians */
    skArray positionKeys;      /* of skKeyFrame; positionKeys.count is the key count */
    skArray rotationKeys;      /* of skKeyFrame */
} skJoint;

/* A reader may copy a 64-byte name from a file straight into `name`; the extra
 * byte is never written and keeps such a name terminated. */
typedef struct skLoop {
    char name[SK_NAME_LENGTH + 1];
    float startTime;  /* in frames */
    float endTime;
    uint16_t priority;
} skLoop;

typedef struct skGroup {
    char name[SK_NAME_LENGTH];
    uint8_t flags;       /* 1 selected, 2 hidden */
    skArray vertices;    /* of skVertex */
    skArray triangles;   /* of skTriangle */
    skArray normals;     /* of skNormal */
    skArray tcoords;     /* of skTCoord */
} skGroup;

typedef struct skMaterial {
    char name[SK_NAME_LENGTH];
    uint8_t doubleSided;
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float emissive[4];
    float shininess;
    float transparency;
    /* Texture names, reached only through the skMaterial functions: held at their own
     * length (at most SK_TEXTURE_NAME_LENGTH - 1 bytes), null while unset, so that a file
     * of many bare materials cannot swell the record by kilobytes each. */
    char* textureDiffuse;
    char* textureBump;
    char* textureAlpha;
    char* textureReflect;
} skMaterial;

/* Groups, materials, joints and loops; private to the library. */
typedef struct skModelArrays skModelArrays;

/* The exchange record. The host allocates SK_MODEL_RECORD_SIZE bytes, calls
 * skModelInit, hands the record to a plug-in, and calls skModelNullify before it
 * frees the memory. Everything reached through the record belongs to it. */
typedef struct skModel {
    float fps;
    int32_t animationLength;  /* in frames */
    skModelArrays* arrays;    /* allocated on first use, freed by skModelNullify */
} skModel;

#ifdef __cplusplus
} /* extern "C" */
static_assert(sizeof(skModel) <= SK_MODEL_RECORD_SIZE, "skModel must fit the host's allocation");
#else
_Static_assert(sizeof(skModel) <= SK_MODEL_RECORD_SIZE, "skModel must fit the host's allocation");
#endif
