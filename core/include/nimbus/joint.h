#pragma once
#include <vector>

#include "nimbus/export.h"
#include "nimbus/matrix.h"
#include "nimbus/model_records.h"
#include "nimbus/vector3d.h"

// A translation or Euler rotation (radians) at a time in frames.
class NIMBUS_API CKeyFrame {
public:
    CKeyFrame();
    CKeyFrame(float time, const CVector3d& value);
    virtual ~CKeyFrame();

    float mTime;
    CVector3d mValue;
};

class NIMBUS_API CJoint {
public:
    CJoint();
    virtual ~CJoint();

    void SetName(const char* name) { skfCopyName(mName, name); }
    void SetParentName(const char* name) { skfCopyName(mParentName, name); }

    // Puts the joint into its initial pose (the two are the same).
    void Initialize(const CMatrix& scale, const CMatrix& centring);
    void Reset(const CMatrix& scale, const CMatrix& centring);
    // Poses the joint at a time in frames. The parent must have been posed first.
    void Progress(float time, const CMatrix& scale, const CMatrix& centring);

    // Draws the joint and the bone to its parent; modes 1 to 4.
    void Render(unsigned char mode, const unsigned char* colorA, const unsigned char* colorB,
                const unsigned char* colorC, float size);

    char mName[kSkNameSize];
    char mParentName[kSkNameSize]; // empty = root
    CJoint* mParent;               // resolved by the model's InitSkeleton
    CVector3d mInitPos;
    CVector3d mInitRot;            // Euler angles, radians
    CMatrix mRelative;
    CMatrix mAbsolute;
    std::vector<CKeyFrame> mPosKeys;
    std::vector<CKeyFrame> mRotKeys;

private:
    void PoseInitial(const CMatrix& scale, const CMatrix& centring);
    void UpdateAbsolute();
};
