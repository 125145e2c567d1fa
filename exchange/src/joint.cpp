// Joints and their position and rotation key frames.

#include <cstring>

#include "element_defaults.h"
#include "tessera/tessera.h"
#include "text_copy.h"

using namespace tessera;

namespace {

void SetThree(float* field, const float* xyz)
{
    if (xyz)
        std::memcpy(field, xyz, 3 * sizeof(float));
}

skVec3 GetThree(const float* field) { return skVec3{field[0], field[1], field[2]}; }

constexpr skVec3 kZero{0.0f, 0.0f, 0.0f};

skKeyFrame* AddKey(skArray* keys, const skKeyFrame* value)
{
    skKeyFrame* key = ArrayAppend<skKeyFrame>(keys);
    if (key && value)
        *key = *value;
    return key;
}

} // namespace

extern "C" {

void skJointSetName(skJoint* joint, const char* name)
{
    if (joint)
        CopyText(joint->name, sizeof(joint->name), name);
}

const char* skJointGetName(const skJoint* joint) { return joint ? joint->name : nullptr; }

void skJointSetParentName(skJoint* joint, const char* name)
{
    if (joint)
        CopyText(joint->parentName, sizeof(joint->parentName), name);
}

const char* skJointGetParentName(const skJoint* joint) { return joint ? joint->parentName : nullptr; }

void skJointSetInitialPosition(skJoint* joint, const float* xyz)
{
    if (joint)
        SetThree(joint->initialPosition, xyz);
}

skVec3 skJointGetInitialPosition(const skJoint* joint) { return joint ? GetThree(joint->initialPosition) : kZero; }

void skJointSetInitialRotation(skJoint* joint, const float* xyz)
{
    if (joint)
        SetThree(joint->initialRotation, xyz);
}

skVec3 skJointGetInitialRotation(const skJoint* joint) { return joint ? GetThree(joint->initialRotation) : kZero; }

int skJointPosKeyArrayResize(skJoint* joint, int32_t count, int)
{
    return joint && ArrayResize<skKeyFrame>(&joint->positionKeys, count) ? 1 : 0;
}

int skJointRotKeyArrayResize(skJoint* joint, int32_t count, int)
{
    return joint && ArrayResize<skKeyFrame>(&joint->rotationKeys, count) ? 1 : 0;
}

skKeyFrame* skJointGetPositionKey(const skJoint* joint, int32_t index)
{
    return joint ? ArrayAt<skKeyFrame>(&joint->positionKeys, index) : nullptr;
}

skKeyFrame* skJointGetRotationKey(const skJoint* joint, int32_t index)
{
    return joint ? ArrayAt<skKeyFrame>(&joint->rotationKeys, index) : nullptr;
}

int32_t skJointGetPositionKeyCount(const skJoint* joint) { return joint ? joint->positionKeys.count : 0; }
int32_t skJointGetRotationKeyCount(const skJoint* joint) { return joint ? joint->rotationKeys.count : 0; }

skKeyFrame* skJointAddPositionKeyV(skJoint* joint, const skKeyFrame* value)
{
    return joint ? AddKey(&joint->positionKeys, value) : nullptr;
}

skKeyFrame* skJointAddRotationKeyV(skJoint* joint, const skKeyFrame* value)
{
    return joint ? AddKey(&joint->rotationKeys, value) : nullptr;
}

void skKeyFrameSetTime(skKeyFrame* key, float time)
{
    if (key)
        key->time = time;
}

float skKeyFrameGetTime(const skKeyFrame* key) { return key ? key->time : 0.0f; }

void skKeyFrameSetValue(skKeyFrame* key, const float* xyz)
{
    if (key)
        SetThree(key->value, xyz);
}

skVec3 skKeyFrameGetValue(const skKeyFrame* key) { return key ? GetThree(key->value) : kZero; }

} // extern "C"
