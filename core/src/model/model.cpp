#include "nimbus/model.h"

#include <GL/gl.h>

#include <cstring>
#include <utility>

#include "render/render_cache.h"

namespace {
// Grey bands of the default cel ramp.
void FillDefaultRamp(unsigned char (*ramp)[3])
{
    for (int i = 0; i < 256; ++i) {
        const unsigned char grey = i <= 100 ? 48 : (i <= 175 ? 128 : 210);
        ramp[i][0] = ramp[i][1] = ramp[i][2] = grey;
    }
}
} // namespace

CModel::CModel()
    : mAnimated(false), mTotalFrames(0), mCurrentSequence(0), mQueuedSequence(0), mSwitchPending(false),
      mCurrentTime(0), mFps(24.0f), mPlaying(false), mPaused(false), mPriorityEnabled(false), mLastTick(0),
      mLogger("session.log"), mLogging(false), mRampTexture(0), mDisplayList(0), mSkinSerial(0),
      mBindSerial(0), mRenderCache(nullptr)
{
    mDefaultMaterial.mDoubleSided = true;
    ResetCurrentBounds();
    FillDefaultRamp(mCelRamp);
}

CModel::CModel(const CModel& other)
    : mRampTexture(0), mDisplayList(0), mSkinSerial(0), mBindSerial(0), mRenderCache(nullptr)
{
    CopyFrom(other);
}

CModel& CModel::operator=(const CModel& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

// Everything but the arrays, the default material and the GL objects.
void CModel::CopySettings(const CModel& other)
{
    mAnimated = other.mAnimated;
    mTotalFrames = other.mTotalFrames;
    mCurrentSequence = other.mCurrentSequence;
    mQueuedSequence = other.mQueuedSequence;
    mSwitchPending = other.mSwitchPending;
    mCurrentTime = other.mCurrentTime;
    mFps = other.mFps;
    mPlaying = other.mPlaying;
    mPaused = other.mPaused;
    mPriorityEnabled = other.mPriorityEnabled;
    mLastTick = other.mLastTick;
    mScaleMatrix = other.mScaleMatrix;
    mCenterMatrix = other.mCenterMatrix;
    mBoundsMax = other.mBoundsMax;
    mBoundsMin = other.mBoundsMin;
    mCurBounds[0] = other.mCurBounds[0];
    mCurBounds[1] = other.mCurBounds[1];
    mLogger = other.mLogger;
    mLogging = other.mLogging;
    std::memcpy(mCelRamp, other.mCelRamp, sizeof(mCelRamp));
}

// Arrays are duplicated; GL objects belong to the model that created them, so a copy
// starts without any and gets its own from ReloadTextures.
void CModel::CopyFrom(const CModel& other)
{
    CopySettings(other);
    mDefaultMaterial = other.mDefaultMaterial;
    mDefaultMaterial.mDiffuseTex.mTexName = 0;
    mMeshes = other.mMeshes;
    mMaterials = other.mMaterials;
    for (CMaterial& m : mMaterials) {
        m.mDiffuseTex.mTexName = 0;
        m.mBumpTex.mTexName = 0;
        m.mAlphaTex.mTexName = 0;
        m.mReflectionTex.mTexName = 0;
    }
    mJoints = other.mJoints;
    // Parent links must point into this model's own joints.
    for (size_t i = 0; i < mJoints.size(); ++i) {
        const CJoint* parent = other.mJoints[i].mParent;
        mJoints[i].mParent = nullptr;
        if (parent && !other.mJoints.empty() && parent >= &other.mJoints.front() &&
            parent <= &other.mJoints.back())
            mJoints[i].mParent = &mJoints[size_t(parent - other.mJoints.data())];
    }
    mSequences = other.mSequences;
    mReserved = other.mReserved;
    ++mSkinSerial;
    ++mBindSerial;
}

CModel& CModel::operator=(CModel&& other) noexcept
{
    if (this == &other)
        return *this;
    Unload();
    ReleaseRampTexture();
    CopySettings(other);
    mDefaultMaterial = std::move(other.mDefaultMaterial);
    // Moving a vector keeps its elements where they are, so the joints' parent links hold.
    mMeshes = std::move(other.mMeshes);
    mMaterials = std::move(other.mMaterials);
    mJoints = std::move(other.mJoints);
    mSequences = std::move(other.mSequences);
    mReserved = std::move(other.mReserved);
    mRampTexture = std::exchange(other.mRampTexture, 0u);
    mDisplayList = std::exchange(other.mDisplayList, 0u);
    std::swap(mRenderCache, other.mRenderCache);
    // The render cache came along and was prepared for the other's serials.
    mSkinSerial = other.mSkinSerial;
    mBindSerial = other.mBindSerial;
    other.Unload();
    return *this;
}

void CModel::ReleaseRampTexture()
{
    if (mRampTexture != 0 && glIsTexture(mRampTexture)) {
        const GLuint name = mRampTexture;
        glDeleteTextures(1, &name);
    }
    mRampTexture = 0;
}

CModel::~CModel()
{
    ReleaseRampTexture();
    if (mDisplayList != 0)
        glDeleteLists(mDisplayList, 1);
    delete mRenderCache;
}

void CModel::ResetCurrentBounds()
{
    mCurBounds[0].SetData(-kBoundsReset, -kBoundsReset, -kBoundsReset);
    mCurBounds[1].SetData(kBoundsReset, kBoundsReset, kBoundsReset);
}

void CModel::Unload()
{
    mMeshes.clear();
    mMaterials.clear();
    mJoints.clear();
    mSequences.clear();
    mReserved.clear();
    mAnimated = false;
    mTotalFrames = 0;
    mCurrentSequence = 0;
    mQueuedSequence = 0;
    mSwitchPending = false;
    mCurrentTime = 0;
    mPlaying = false;
    mPaused = false;
    mScaleMatrix.LoadIdentity();
    mCenterMatrix.LoadIdentity();
    mBoundsMax.SetData(0, 0, 0);
    mBoundsMin.SetData(0, 0, 0);
    ResetCurrentBounds();
    if (mDisplayList != 0) {
        glDeleteLists(mDisplayList, 1);
        mDisplayList = 0;
    }
    ++mSkinSerial;
    ++mBindSerial;
}

void CModel::BuildLists() {}

void CModel::RenderSimpleShadow() {}
