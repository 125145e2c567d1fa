#include "nimbus/model.h"

// An animated model without sequences (or a sequence index that lost its sequence) plays the
// whole timeline instead of reading past the array.
void CModel::SequenceRange(float& start, float& end) const
{
    if (mCurrentSequence >= 0 && size_t(mCurrentSequence) < mSequences.size()) {
        start = mSequences[size_t(mCurrentSequence)].mStart;
        end = mSequences[size_t(mCurrentSequence)].mEnd;
    } else {
        start = 0;
        end = float(mTotalFrames);
    }
}

void CModel::TakeQueuedSequence()
{
    mCurrentSequence = mQueuedSequence;
    mSwitchPending = false;
}

void CModel::PoseJoints(float time)
{
    for (CJoint& joint : mJoints)
        joint.Progress(time, mScaleMatrix, mCenterMatrix);
}

void CModel::AniSyncTime() { mLastTick = mTimer.GetTime(); }

void CModel::AniPlay(float startTime)
{
    if (!mAnimated)
        return;
    if (!mPlaying) {
        if (startTime == 0.0f) {
            float end;
            SequenceRange(startTime, end);
        }
        mPlaying = true;
        mCurrentTime = startTime;
    } else if (!mPaused) {
        return;
    }
    mPaused = false;
    AniSyncTime();
    AniProgress(1.0f);
    // The step above poses only when the clock moved since the sync; the start must show.
    PoseJoints(mCurrentTime);
}

void CModel::AniStop()
{
    if (!mAnimated || !mPlaying)
        return;
    for (CJoint& joint : mJoints)
        joint.Reset(mScaleMatrix, mCenterMatrix);
    mPlaying = false;
    mPaused = false;
    float end;
    SequenceRange(mCurrentTime, end);
}

void CModel::AniPause()
{
    if (!mAnimated || !mPlaying)
        return;
    mPaused = true;
}

void CModel::AniProgress(float speed)
{
    const float now = mTimer.GetTime();
    const float elapsed = now - mLastTick;
    mLastTick = now;
    if (!mAnimated || !mPlaying || mPaused)
        return;
    const float delta = elapsed * mFps * speed;
    if (delta == 0.0f)
        return;
    mCurrentTime += delta;

    if (mSwitchPending && mQueuedSequence >= 0 && size_t(mQueuedSequence) < mSequences.size()) {
        bool take = true;
        if (mPriorityEnabled) {
            const bool currentValid = mCurrentSequence >= 0 && size_t(mCurrentSequence) < mSequences.size();
            const uint16_t current = currentValid ? mSequences[size_t(mCurrentSequence)].mPriority : 0;
            take = current < mSequences[size_t(mQueuedSequence)].mPriority;
        }
        if (take) {
            TakeQueuedSequence();
            mCurrentTime = mSequences[size_t(mCurrentSequence)].mStart;
        }
    }

    float start, end;
    SequenceRange(start, end);
    if (mCurrentTime > end) {
        if (mSwitchPending)
            TakeQueuedSequence();
        SequenceRange(start, end);
        mCurrentTime = start;
    }
    PoseJoints(mCurrentTime);
}

void CModel::AniSetTime(float time)
{
    if (!mAnimated || !mPlaying)
        return;
    float start, end;
    SequenceRange(start, end);
    if (!(time >= start && time <= end))
        return;
    mCurrentTime = time;
    // The clock starts again from here: the time shown is the one chosen, not the moment the
    // clock moved on while setting it, and it shows while paused too.
    AniSyncTime();
    PoseJoints(mCurrentTime);
}

void CModel::AniSetLoop(unsigned index, bool immediately)
{
    if (index >= mSequences.size())
        return;
    if (immediately) {
        mCurrentSequence = int(index);
        mSwitchPending = false;
        mCurrentTime = mSequences[index].mStart;
    } else {
        mQueuedSequence = int(index);
        mSwitchPending = true;
    }
}
