#include <gtest/gtest.h>

#include <cmath>

#include "bvh_import.h"
#include "bvh_parser.h"
#include "formats/bvh_writer.h"
#include "import_record.h"

namespace {

namespace fx = kestrel::test::bvh;
using kestrel::bvh::File;
using kestrel::bvh::ParseStatus;
using kestrel::test::ImportRecord;

constexpr double kPi = 3.14159265358979323846;

ParseStatus Parse(const std::string& text, File& out)
{
    return kestrel::bvh::Parse(reinterpret_cast<const uint8_t*>(text.data()), text.size(), out);
}

// Hips (root) > LeftHand (joint) > end site.
fx::Node Skeleton(std::vector<std::string> handChannels = {"Zrotation", "Xrotation", "Yrotation"})
{
    fx::Node hand{"LeftHand", {0, 5, 0}, std::move(handChannels), {fx::EndSite(0, 2, 0)}};
    return fx::Node{"Hips", {1, 2, 3},
                    {"Xposition", "Yposition", "Zposition", "Zrotation", "Xrotation", "Yrotation"},
                    {hand}};
}

void Import(const std::string& text, ImportRecord& r)
{
    File f;
    ASSERT_EQ(Parse(text, f), ParseStatus::Ok);
    ASSERT_TRUE(kestrel::bvh::BuildModel(f, &r.model));
}

skVec3 RotationKey(const ImportRecord& r, int joint, int key)
{
    const skKeyFrame* k = skJointGetRotationKey(skModelGetJoint(&r.model, joint), key);
    return {k->value[0], k->value[1], k->value[2]};
}

// The engine's rotation of Euler angles: R = Rz * Ry * Rx.
std::array<double, 9> EngineMatrix(skVec3 e)
{
    const double cx = std::cos(e.x), sx = std::sin(e.x), cy = std::cos(e.y), sy = std::sin(e.y);
    const double cz = std::cos(e.z), sz = std::sin(e.z);
    return {cy * cz, sx * sy * cz - cx * sz, cx * sy * cz + sx * sz,
            cy * sz, sx * sy * sz + cx * cz, cx * sy * sz - sx * cz,
            -sy,     sx * cy,                cx * cy};
}

TEST(BvhReader, SkeletonKeysAndLoop)
{
    std::vector<std::vector<float>> frames(100, std::vector<float>(9, 0.0f));
    for (size_t f = 0; f < frames.size(); ++f) {
        frames[f][0] = 10.0f + float(f);  // root X position starts away from the offset
        frames[f][1] = 20.0f;
    }
    ImportRecord r;
    Import(fx::Write(Skeleton(), frames, 0.033333f), r);
    EXPECT_EQ(skModelGetAnimationLength(&r.model), 100);
    EXPECT_NEAR(skModelGetFPS(&r.model), 30.0f, 0.001f);
    ASSERT_EQ(skModelGetJointCount(&r.model), 3);
    const skJoint* hips = skModelGetJoint(&r.model, 0);
    const skJoint* hand = skModelGetJoint(&r.model, 1);
    const skJoint* end = skModelGetJoint(&r.model, 2);
    EXPECT_STREQ(skJointGetParentName(hips), "");
    EXPECT_STREQ(skJointGetParentName(hand), "Hips");
    EXPECT_STREQ(skJointGetName(end), "LeftHand End Site");
    EXPECT_STREQ(skJointGetParentName(end), "LeftHand");
    EXPECT_EQ(skJointGetInitialPosition(end).y, 2.0f);
    for (const skJoint* j : {hips, hand, end}) {
        ASSERT_EQ(skJointGetPositionKeyCount(j), 100);
        ASSERT_EQ(skJointGetRotationKeyCount(j), 100);
        EXPECT_EQ(skKeyFrameGetTime(skJointGetPositionKey(j, 0)), 1.0f);
        EXPECT_EQ(skKeyFrameGetTime(skJointGetRotationKey(j, 99)), 100.0f);
    }
    // The first root key lies at the offset; later ones move by the change since frame 0.
    const skVec3 first = skKeyFrameGetValue(skJointGetPositionKey(hips, 0));
    EXPECT_EQ(first.x, 1.0f);
    EXPECT_EQ(first.y, 2.0f);
    EXPECT_EQ(first.z, 3.0f);
    EXPECT_EQ(skKeyFrameGetValue(skJointGetPositionKey(hips, 5)).x, 6.0f);
    EXPECT_EQ(skKeyFrameGetValue(skJointGetPositionKey(hand, 5)).x, 0.0f);

    ASSERT_EQ(skModelGetLoopCount(&r.model), 1);
    const skLoop* loop = skModelGetLoop(&r.model, 0);
    EXPECT_STREQ(skLoopGetName(loop), "<All frames>");
    EXPECT_EQ(skLoopGetStartTime(loop), 1.0f);
    EXPECT_EQ(skLoopGetEndTime(loop), 100.0f);
    EXPECT_EQ(skLoopGetPriority(loop), 0);
}

TEST(BvhReader, OneAxisRotationIsStoredAsGiven)
{
    // Beyond 180 degrees too: a single turning axis needs no conversion.
    std::vector<std::vector<float>> frames = {{0, 0, 0, 0, 0, 0, 0, 200.0f, 0}, {0, 0, 0, 30.0f, 0, 0, 0, 0, -45.0f}};
    ImportRecord r;
    Import(fx::Write(Skeleton(), frames, 0.04f), r);
    EXPECT_EQ(RotationKey(r, 1, 0).x, 200.0f * 3.1415927f / 180.0f);
    EXPECT_EQ(RotationKey(r, 1, 0).y, 0.0f);
    EXPECT_EQ(RotationKey(r, 0, 1).z, 30.0f * 3.1415927f / 180.0f);
    EXPECT_EQ(RotationKey(r, 1, 1).y, -45.0f * 3.1415927f / 180.0f);
}

TEST(BvhReader, ChannelOrdersGiveTheSameJointMatrices)
{
    // The pose: engine Euler angles (x, y, z) = (10, 20, 30) degrees.
    const skVec3 pose{float(10 * kPi / 180), float(20 * kPi / 180), float(30 * kPi / 180)};
    const auto m = EngineMatrix(pose);  // row-major
    // The same rotation as Rz(a) * Rx(b) * Ry(c), the common Z X Y order...
    const double b = std::asin(m[7]);
    const double c = std::atan2(-m[6], m[8]);
    const double a = std::atan2(-m[1], m[4]);
    const auto deg = [](double r) { return float(r * 180 / kPi); };
    // ...and as Rx(p) * Ry(q) * Rz(s), the X Y Z order.
    const double q = std::asin(m[2]);
    const double p = std::atan2(-m[5], m[8]);
    const double s = std::atan2(-m[1], m[0]);

    ImportRecord zxy, xyz, zyx;
    Import(fx::Write(Skeleton({"Zrotation", "Xrotation", "Yrotation"}), {{0, 0, 0, 0, 0, 0, deg(a), deg(b), deg(c)}}, 0.04f), zxy);
    Import(fx::Write(Skeleton({"Xrotation", "Yrotation", "Zrotation"}), {{0, 0, 0, 0, 0, 0, deg(p), deg(q), deg(s)}}, 0.04f), xyz);
    Import(fx::Write(Skeleton({"Zrotation", "Yrotation", "Xrotation"}), {{0, 0, 0, 0, 0, 0, 30, 20, 10}}, 0.04f), zyx);
    for (const ImportRecord* r : {&zxy, &xyz, &zyx}) {
        const auto got = EngineMatrix(RotationKey(*r, 1, 0));
        for (size_t i = 0; i < 9; ++i)
            EXPECT_NEAR(got[i], m[i], 1e-5) << i;
        EXPECT_NEAR(RotationKey(*r, 1, 0).x, pose.x, 1e-5);
        EXPECT_NEAR(RotationKey(*r, 1, 0).z, pose.z, 1e-5);
    }
    // Z Y X is the engine's own order: the angles pass unchanged.
    EXPECT_EQ(RotationKey(zyx, 1, 0).y, 20.0f * 3.1415927f / 180.0f);
}

TEST(BvhReader, GimbalLockStillGivesTheRotation)
{
    // X Y Z with Y at 90 degrees.
    ImportRecord r;
    Import(fx::Write(Skeleton({"Xrotation", "Yrotation", "Zrotation"}), {{0, 0, 0, 0, 0, 0, 25, 90, 40}}, 0.04f), r);
    const auto got = EngineMatrix(RotationKey(r, 1, 0));
    const double x = 25 * kPi / 180, z = 40 * kPi / 180;
    // Rx(x) * Ry(90) * Rz(z): first row (0, 0, 1), second row (sin(x + z), cos(x + z), 0).
    EXPECT_NEAR(got[0], 0, 1e-5);
    EXPECT_NEAR(got[2], 1, 1e-5);
    EXPECT_NEAR(got[3], std::sin(x + z), 1e-5);
    EXPECT_NEAR(got[4], std::cos(x + z), 1e-5);
    EXPECT_NEAR(got[5], 0, 1e-5);
}

TEST(BvhReader, MalformedFilesFail)
{
    File f;
    const std::string good = fx::Write(Skeleton(), {{0, 0, 0, 0, 0, 0, 0, 0, 0}}, 0.04f);
    EXPECT_EQ(Parse(good, f), ParseStatus::Ok);
    const auto replace = [&good](const std::string& from, const std::string& to) {
        std::string t = good;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    EXPECT_EQ(Parse(replace("HIERARCHY", "HIERARCH"), f), ParseStatus::NoHierarchy);
    EXPECT_EQ(Parse(replace("CHANNELS 6", "CHANNELS 3"), f), ParseStatus::BadRoot);
    EXPECT_EQ(Parse(replace("CHANNELS 3 Zrotation Xrotation Yrotation", "CHANNELS 3 Zrotation Xrotation Xrotation"), f),
              ParseStatus::BadJoint);
    EXPECT_EQ(Parse(replace("CHANNELS 3 Zrotation", "CHANNELS 3 Wrotation"), f), ParseStatus::BadJoint);
    EXPECT_EQ(Parse(replace("MOTION", "EMOTIO"), f), ParseStatus::NoMotion);
    EXPECT_EQ(Parse(replace("Frames: 1", "Frames: 2"), f), ParseStatus::Truncated);
    EXPECT_EQ(Parse(replace("Frames: 1", "Frames: -1"), f), ParseStatus::BadFrames);
    EXPECT_EQ(Parse(replace("Frame Time:", "Frame Rate:"), f), ParseStatus::BadFrameTime);
    EXPECT_EQ(Parse(replace("0 0 0 0 0 0 0 0 0\n", "0 0 0 0 0 0 0 0\n"), f), ParseStatus::ShortFrame);
    // A non-number counts as 0, as atof reads it.
    ASSERT_EQ(Parse(replace("0 0 0 0 0 0 0 0 0\n", "x 0 0 0 0 0 0 0 7\n"), f), ParseStatus::Ok);
    EXPECT_EQ(f.values[0], 0.0f);
    EXPECT_EQ(f.values[8], 7.0f);
}

TEST(BvhReader, JointsTimesFramesAreBounded)
{
    // Many end sites carry no channels, so short frame lines can still ask for many keys.
    fx::Node root{"Hips", {0, 0, 0}, {"Xposition", "Yposition", "Zposition", "Zrotation", "Xrotation", "Yrotation"}, {}};
    for (int i = 0; i < 300; ++i)
        root.children.push_back(fx::EndSite(0, 1, 0));
    std::string text = fx::Write(root, {}, 0.04f);
    text.replace(text.find("Frames: 0"), 9, "Frames: 60000");
    for (int f = 0; f < 60000; ++f)
        text += "0 0 0 0 0 0\n";
    File file;
    EXPECT_EQ(Parse(text, file), ParseStatus::TooLarge);
}

TEST(BvhReader, NonPositiveFrameTimeKeepsTheDefaultRate)
{
    ImportRecord r;
    Import(fx::Write(Skeleton(), {{0, 0, 0, 0, 0, 0, 0, 0, 0}}, 0.0f), r);
    EXPECT_EQ(skModelGetFPS(&r.model), 24.0f);
}

} // namespace
