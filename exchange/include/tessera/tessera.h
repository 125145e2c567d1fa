#pragma once
/*
 * Model exchange interface: the C calls through which models cross between the
 * engine and the plug-ins.
 *
 * Ownership
 *   - The host owns the skModel memory (SK_MODEL_RECORD_SIZE bytes). skModelInit
 *     prepares it; skModelNullify frees everything the record holds and leaves it
 *     empty and reusable; then the host frees the memory. Plug-ins never free it.
 *   - Every element belongs to its owner (model, group, vertex, joint) and is freed
 *     with it. Callers keep the pointers that get and add functions return; such a
 *     pointer stays valid until its element is removed by shrinking the array or
 *     nullifying the owner. Vertex weights are the exception: see skVertex.
 *
 * Arrays
 *   - ...ArrayResize(owner, count, flag) sets the element count. Elements below
 *     min(old, new) keep their content; new elements get the defaults listed in
 *     records.h; removed elements are freed with everything they own. The flag is
 *     accepted for callers that pass one (the engine passes 1 for groups and joints)
 *     and changes nothing: new elements are always initialised. Returns 1 on
 *     success, 0 for a null owner, a negative or too large count, or exhausted
 *     memory, in which case the array is left as it was.
 *   - Get(owner, index) returns null for a null owner or an index outside
 *     0 .. count - 1; counts of a null owner are 0.
 *   - Add appends one element with its defaults (the V forms copy the given value;
 *     null gives the defaults) and returns it, or null on failure.
 *
 * Values
 *   Positions, rotations, key values and colours go in through pointers to 3 (or 4)
 *   floats and come out by value. A null value pointer leaves the field unchanged.
 *   Null records given to set functions are ignored; get functions of a null record
 *   return 0, an empty vector or a null name.
 */

#include <uchar.h>

#include "tessera/records.h"

#ifndef TESSERA_API
#define TESSERA_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* skModel */
TESSERA_API void skModelInit(skModel* model);
TESSERA_API void skModelNullify(skModel* model);
TESSERA_API void skModelNullifyLoops(skModel* model);
TESSERA_API void skModelSetFPS(skModel* model, float fps);
TESSERA_API float skModelGetFPS(const skModel* model);
TESSERA_API void skModelSetAnimationLength(skModel* model, int32_t frames);
TESSERA_API int32_t skModelGetAnimationLength(const skModel* model);
TESSERA_API int skModelGroupArrayResize(skModel* model, int32_t count, int flag);
TESSERA_API skGroup* skModelGetGroup(const skModel* model, int32_t index);
TESSERA_API int32_t skModelGetGroupCount(const skModel* model);
TESSERA_API skGroup* skModelAddGroup(skModel* model);
TESSERA_API int skModelMaterialArrayResize(skModel* model, int32_t count, int flag);
TESSERA_API skMaterial* skModelGetMaterial(const skModel* model, int32_t index);
TESSERA_API int32_t skModelGetMaterialCount(const skModel* model);
TESSERA_API skMaterial* skModelAddMaterial(skModel* model);
TESSERA_API int skModelJointArrayResize(skModel* model, int32_t count, int flag);
TESSERA_API skJoint* skModelGetJoint(const skModel* model, int32_t index);
TESSERA_API int32_t skModelGetJointCount(const skModel* model);
TESSERA_API skJoint* skModelAddJoint(skModel* model);
TESSERA_API int skModelLoopArrayResize(skModel* model, int32_t count, int flag);
TESSERA_API skLoop* skModelGetLoop(const skModel* model, int32_t index);
TESSERA_API int32_t skModelGetLoopCount(const skModel* model);
TESSERA_API skLoop* skModelAddLoopV(skModel* model, const skLoop* value);
/* Totals over all groups (saturated at INT32_MAX). */
TESSERA_API int32_t skModelGetVertexCount(const skModel* model);
TESSERA_API int32_t skModelGetFaceCount(const skModel* model);
TESSERA_API int32_t skModelGetNormalCount(const skModel* model);
TESSERA_API int32_t skModelGetTCoordsCount(const skModel* model);

/* skGroup */
TESSERA_API void skGroupSetName(skGroup* group, const char* name);
TESSERA_API const char* skGroupGetName(const skGroup* group);
TESSERA_API void skGroupSetFlags(skGroup* group, uint8_t flags);
TESSERA_API uint8_t skGroupGetFlags(const skGroup* group);
TESSERA_API int skGroupVertexArrayResize(skGroup* group, int32_t count, int flag);
TESSERA_API skVertex* skGroupGetVertex(const skGroup* group, int32_t index);
TESSERA_API int32_t skGroupGetVertexCount(const skGroup* group);
TESSERA_API int skGroupTriangleArrayResize(skGroup* group, int32_t count, int flag);
TESSERA_API skTriangle* skGroupGetTriangle(const skGroup* group, int32_t index);
TESSERA_API skTriangle* skGroupAddTriangle(skGroup* group);
TESSERA_API int32_t skGroupGetFaceCount(const skGroup* group);
TESSERA_API int skGroupNormalArrayResize(skGroup* group, int32_t count, int flag);
TESSERA_API skNormal* skGroupGetNormal(const skGroup* group, int32_t index);
TESSERA_API skNormal* skGroupAddNormalV(skGroup* group, const skNormal* value);
TESSERA_API int32_t skGroupGetNormalCount(const skGroup* group);
TESSERA_API int skGroupTCoordArrayResize(skGroup* group, int32_t count, int flag);
TESSERA_API skTCoord* skGroupGetTCoord(const skGroup* group, int32_t index);
TESSERA_API int32_t skGroupGetTCoordsCount(const skGroup* group);
/* Frees every element and resets name and flags: the group is as new. */
TESSERA_API void skGroupNullify(skGroup* group);
/* Empties the normal array only; triangles keep their normal indices. */
TESSERA_API void skGroupNullifyNormals(skGroup* group);

/* skVertex; the weight count is limited to 65535 */
TESSERA_API void skVertexSetVertex(skVertex* vertex, const float* xyz);
TESSERA_API skVec3 skVertexGetVertex(const skVertex* vertex);
TESSERA_API int skVertexWeightArrayResize(skVertex* vertex, int32_t count, int flag);
TESSERA_API skWeight* skVertexGetWeight(const skVertex* vertex, int32_t index);
TESSERA_API int32_t skVertexGetWeightCount(const skVertex* vertex);
TESSERA_API skWeight* skVertexAddWeight(skVertex* vertex);

/* skWeight */
TESSERA_API void skWeightSetVertex(skWeight* weight, const float* xyz);
TESSERA_API skVec3 skWeightGetVertex(const skWeight* weight);
TESSERA_API void skWeightSetJointInd(skWeight* weight, int32_t jointIndex);
TESSERA_API int32_t skWeightGetJointInd(const skWeight* weight);
TESSERA_API void skWeightSetWValue(skWeight* weight, float value);
TESSERA_API float skWeightGetWValue(const skWeight* weight);

/* skTriangle, skNormal, skTCoord */
TESSERA_API void skTriangleSetVertexIndices(skTriangle* triangle, int32_t a, int32_t b, int32_t c);
TESSERA_API void skTriangleSetNormalIndices(skTriangle* triangle, int32_t a, int32_t b, int32_t c);
TESSERA_API void skTriangleSetTextureIndices(skTriangle* triangle, int32_t a, int32_t b, int32_t c);
TESSERA_API void skTriangleSetEdgeFlags(skTriangle* triangle, uint8_t a, uint8_t b, uint8_t c);
TESSERA_API void skTriangleSetMaterial(skTriangle* triangle, int32_t materialIndex);
TESSERA_API void skTriangleSetSmoothingGroup(skTriangle* triangle, uint8_t group);
TESSERA_API void skNormalSet(skNormal* normal, float x, float y, float z);
TESSERA_API void skTCoordSet(skTCoord* tcoord, float u, float v);

/* skMaterial; colours are RGBA */
TESSERA_API void skMaterialSetName(skMaterial* material, const char* name);
TESSERA_API const char* skMaterialGetName(const skMaterial* material);
TESSERA_API void skMaterialSetDoubleSided(skMaterial* material, uint8_t doubleSided);
TESSERA_API uint8_t skMaterialGetDoubleSided(const skMaterial* material);
TESSERA_API void skMaterialSetAmbient(skMaterial* material, const float* rgba);
TESSERA_API skColor skMaterialGetAmbient(const skMaterial* material);
TESSERA_API void skMaterialSetDiffuse(skMaterial* material, const float* rgba);
TESSERA_API skColor skMaterialGetDiffuse(const skMaterial* material);
TESSERA_API void skMaterialSetSpecular(skMaterial* material, const float* rgba);
TESSERA_API skColor skMaterialGetSpecular(const skMaterial* material);
TESSERA_API void skMaterialSetEmissive(skMaterial* material, const float* rgba);
TESSERA_API skColor skMaterialGetEmissive(const skMaterial* material);
TESSERA_API void skMaterialSetShininess(skMaterial* material, float shininess);
TESSERA_API float skMaterialGetShininess(const skMaterial* material);
TESSERA_API void skMaterialSetTransparency(skMaterial* material, float transparency);
TESSERA_API float skMaterialGetTransparency(const skMaterial* material);
/* Texture names: the 8-bit forms store the bytes as given (UTF-8 expected); the W
 * forms convert UTF-16 to UTF-8. The getters return UTF-8. A null name clears. */
TESSERA_API void skMaterialSetTextureDiffuse(skMaterial* material, const char* name);
TESSERA_API void skMaterialSetTextureBump(skMaterial* material, const char* name);
TESSERA_API void skMaterialSetTextureAlpha(skMaterial* material, const char* name);
TESSERA_API void skMaterialSetTextureReflect(skMaterial* material, const char* name);
TESSERA_API void skMaterialSetTextureDiffuseW(skMaterial* material, const char16_t* name);
TESSERA_API void skMaterialSetTextureBumpW(skMaterial* material, const char16_t* name);
TESSERA_API void skMaterialSetTextureAlphaW(skMaterial* material, const char16_t* name);
TESSERA_API void skMaterialSetTextureReflectW(skMaterial* material, const char16_t* name);
TESSERA_API const char* skMaterialGetTextureDiffuse(const skMaterial* material);
TESSERA_API const char* skMaterialGetTextureBump(const skMaterial* material);
TESSERA_API const char* skMaterialGetTextureAlpha(const skMaterial* material);
TESSERA_API const char* skMaterialGetTextureReflect(const skMaterial* material);

/* skJoint */
TESSERA_API void skJointSetName(skJoint* joint, const char* name);
TESSERA_API const char* skJointGetName(const skJoint* joint);
TESSERA_API void skJointSetParentName(skJoint* joint, const char* name);
TESSERA_API const char* skJointGetParentName(const skJoint* joint);
TESSERA_API void skJointSetInitialPosition(skJoint* joint, const float* xyz);
TESSERA_API skVec3 skJointGetInitialPosition(const skJoint* joint);
TESSERA_API void skJointSetInitialRotation(skJoint* joint, const float* xyz);
TESSERA_API skVec3 skJointGetInitialRotation(const skJoint* joint);
TESSERA_API int skJointPosKeyArrayResize(skJoint* joint, int32_t count, int flag);
TESSERA_API int skJointRotKeyArrayResize(skJoint* joint, int32_t count, int flag);
TESSERA_API skKeyFrame* skJointGetPositionKey(const skJoint* joint, int32_t index);
TESSERA_API skKeyFrame* skJointGetRotationKey(const skJoint* joint, int32_t index);
TESSERA_API int32_t skJointGetPositionKeyCount(const skJoint* joint);
TESSERA_API int32_t skJointGetRotationKeyCount(const skJoint* joint);
TESSERA_API skKeyFrame* skJointAddPositionKeyV(skJoint* joint, const skKeyFrame* value);
TESSERA_API skKeyFrame* skJointAddRotationKeyV(skJoint* joint, const skKeyFrame* value);

/* skKeyFrame */
TESSERA_API void skKeyFrameSetTime(skKeyFrame* key, float time);
TESSERA_API float skKeyFrameGetTime(const skKeyFrame* key);
TESSERA_API void skKeyFrameSetValue(skKeyFrame* key, const float* xyz);
TESSERA_API skVec3 skKeyFrameGetValue(const skKeyFrame* key);

/* skLoop */
TESSERA_API void skLoopSetName(skLoop* loop, const char* name);
TESSERA_API const char* skLoopGetName(const skLoop* loop);
TESSERA_API void skLoopSetStartTime(skLoop* loop, float time);
TESSERA_API float skLoopGetStartTime(const skLoop* loop);
TESSERA_API void skLoopSetEndTime(skLoop* loop, float time);
TESSERA_API float skLoopGetEndTime(const skLoop* loop);
TESSERA_API void skLoopSetPriority(skLoop* loop, uint16_t priority);
TESSERA_API uint16_t skLoopGetPriority(const skLoop* loop);

#ifdef __cplusplus
} /* extern "C" */
#endif
