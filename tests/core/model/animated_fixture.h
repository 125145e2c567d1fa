#pragma once
#include <gtest/gtest.h>

#include <cmath>

#include "model_fixtures.h"

namespace kestrel::test {

constexpr float kHalfPi = 1.5707964f;

// Drives the shared model timer by hand for the length of a test.
class ManualClockTest : public ::testing::Test {
protected:
    void SetUp() override { CTimer::SetManualClock(true); }
    void TearDown() override { CTimer::SetManualClock(false); }
    // Moves the clock by a number of frames at the model's rate.
    static void AdvanceFrames(const CModel& model, float frames) { CTimer::AdvanceManualClock(frames / model.mFps); }
};

// A root at the origin and an arm joint at (1, 0, 0) that turns a quarter turn about z
// between frames 1 and 5; one vertex at (2, 0, 0) on the arm and one rigid vertex.
inline void BuildArmModel(TestModel& model)
{
    model.mJoints = {Joint("root", "", CVector3d()), Joint("arm", "root", CVector3d(1, 0, 0))};
    model.mJoints[1].mRotKeys = {CKeyFrame(1, CVector3d(0, 0, 0)), CKeyFrame(5, CVector3d(0, 0, kHalfPi))};
    CMesh mesh;
    mesh.mVertices = {BoundVertex(2, 0, 0, {{1, 1.0f}}), RigidVertex(0, 3, 0), RigidVertex(0, 0, 0)};
    mesh.mNormals = {Normal(1, 0, 0), Normal(0, 0, 1), Normal(0, 0, 1)};
    mesh.mTriangles = {Triangle(0, 1, 2)};
    mesh.BuildMaterialBatches();
    model.mMeshes.push_back(mesh);
    model.mAnimated = true;
    model.mTotalFrames = 10;
    model.mSequences.resize(1);
    model.mSequences[0].SetName("turn");
    model.mSequences[0].mStart = 1;
    model.mSequences[0].mEnd = 10;
}

} // namespace kestrel::test
