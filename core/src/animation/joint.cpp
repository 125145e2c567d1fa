#include <algorithm>

#include "nimbus/joint.h"
#include "nimbus/quaternion.h"

CKeyFrame::CKeyFrame() : mTime(0) {}
CKeyFrame::CKeyFrame(float time, const CVector3d& value) : mTime(time), mValue(value) {}
CKeyFrame::~CKeyFrame() = default;

CJoint::CJoint() : mName{}, mParentName{}, mParent(nullptr) {}
CJoint::~CJoint() = default;

namespace {
// The first key not earlier than time, and the one before it (null when time is at or
// before the first key). Past the last key both are the last key.
struct KeySpan {
    const CKeyFrame* prev;
    const CKeyFrame* next;
};

KeySpan FindKeys(const std::vector<CKeyFrame>& keys, float time)
{
    const auto it = std::lower_bound(keys.begin(), keys.end(), time,
                                     [](const CKeyFrame& k, float t) { return k.mTime < t; });
    if (it == keys.end())
        return {nullptr, &keys.back()};
    if (it == keys.begin())
        return {nullptr, &*it};
    return {&*(it - 1), &*it};
}

float Fraction(const KeySpan& span, float time)
{
    const float range = span.next->mTime - span.prev->mTime;
    // Keys out of order or at the same time: take the later key rather than divide by nothing.
    if (!(range > 0.0f))
        return 1.0f;
    return (time - span.prev->mTime) / range;
}

CVector3d KeyTranslation(const std::vector<CKeyFrame>& keys, float time)
{
    if (keys.empty())
        return CVector3d();
    const KeySpan span = FindKeys(keys, time);
    if (!span.prev)
        return span.next->mValue;
    const float f = Fraction(span, time);
    const CVector3d& a = span.prev->mValue;
    const CVector3d& b = span.next->mValue;
    return CVector3d(a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, a.z + (b.z - a.z) * f);
}

CVector3d KeyRotation(const std::vector<CKeyFrame>& keys, float time)
{
    if (keys.empty())
        return CVector3d();
    const KeySpan span = FindKeys(keys, time);
    if (!span.prev)
        return span.next->mValue;
    const float f = Fraction(span, time);
    CQuaternion a, b;
    a.SetEulers(span.prev->mValue);
    b.SetEulers(span.next->mValue);
    return a.Slerp(b, f).GetEulers();
}
} // namespace

void CJoint::PoseInitial(const CMatrix& scale, const CMatrix& centring)
{
    CVector3d b = mInitPos;
    if (!mParent)
        b.Transform(centring);
    b.Transform(scale);
    mRelative.LoadIdentity();
    mRelative.SetRotationRad(mInitRot);
    mRelative.SetTranslation(b);
}

void CJoint::UpdateAbsolute()
{
    if (mParent)
        mAbsolute = mParent->mAbsolute * mRelative;
    else
        mAbsolute = mRelative;
}

void CJoint::Initialize(const CMatrix& scale, const CMatrix& centring)
{
    PoseInitial(scale, centring);
    UpdateAbsolute();
}

void CJoint::Reset(const CMatrix& scale, const CMatrix& centring) { Initialize(scale, centring); }

void CJoint::Progress(float time, const CMatrix& scale, const CMatrix& centring)
{
    if (mPosKeys.empty() && mRotKeys.empty()) {
        Initialize(scale, centring);
        return;
    }
    CVector3d translation = KeyTranslation(mPosKeys, time);
    translation.Transform(scale);
    const CVector3d rotation = KeyRotation(mRotKeys, time);

    PoseInitial(scale, centring);
    // The keyframe acts in the joint's own initial frame.
    CMatrix key;
    key.SetRotationRad(rotation);
    key.SetTranslation(translation);
    mRelative *= key;
    UpdateAbsolute();
}
