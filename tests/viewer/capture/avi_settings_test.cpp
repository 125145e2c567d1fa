#include <gtest/gtest.h>

#include "avi_settings.h"

namespace {

using namespace kestrel::capture;

const std::vector<LoopRange> kLoops = {{"walk", 1.0f, 30.0f}, {"run", 31.0f, 50.0f}};

TEST(AviSettings, DefaultsFollowTheDocumentAndItsCurrentLoop)
{
    const AviSettings settings = DefaultAviSettings("/models/arm.ms3d", 24.0, kLoops, 1);
    EXPECT_EQ(settings.output, "/models/arm.avi");
    EXPECT_EQ(settings.width, 512);
    EXPECT_EQ(settings.height, 384);
    EXPECT_DOUBLE_EQ(settings.frameRate, 24.0);
    EXPECT_EQ(settings.loop, 1);
    EXPECT_EQ(settings.startFrame, 1);
    EXPECT_EQ(settings.endFrame, 20);
    EXPECT_DOUBLE_EQ(settings.speed, 1.0);
    EXPECT_EQ(DefaultAviSettings("", 24.0, kLoops, 7).loop, 0); // a stale loop falls back
}

TEST(AviSettings, ChecksComeInTheirOrderAndTheExtensionIsAdded)
{
    AviSettings settings = DefaultAviSettings("", 24.0, kLoops, 0);
    settings.width = 3;
    EXPECT_EQ(ValidateAviSettings(settings), "Please select the output file");
    settings.output = "clip";
    EXPECT_EQ(ValidateAviSettings(settings), "Viewport width should be more than 3 pixels");
    EXPECT_EQ(settings.output, "clip.avi");
    settings.output = "clip.AVI";
    settings.width = 4;
    settings.height = 3;
    EXPECT_EQ(ValidateAviSettings(settings), "Viewport height should be more than 3 pixels");
    EXPECT_EQ(settings.output, "clip.AVI");
    settings.height = 4;
    settings.frameRate = 0.0;
    EXPECT_EQ(ValidateAviSettings(settings), "Frame rate should be more than 0");
    settings.frameRate = 25.0;
    EXPECT_EQ(ValidateAviSettings(settings), "");
    settings.output = "movie.mp4";
    EXPECT_EQ(ValidateAviSettings(settings), "");
    EXPECT_EQ(settings.output, "movie.mp4"); // written as MP4
    settings.output = "movie.mkv";
    EXPECT_EQ(ValidateAviSettings(settings), "");
    EXPECT_EQ(settings.output, "movie.mkv.avi");
}

TEST(AviSettings, FramesFollowTheSpeedAndMapIntoTheLoop)
{
    AviSettings settings = DefaultAviSettings("a.ms3d", 24.0, kLoops, 1);
    settings.startFrame = settings.endFrame = 5;
    EXPECT_EQ(FramesToRecord(settings), std::vector<float>{5.0f}); // start equal to end: one frame
    settings.startFrame = 1;
    settings.endFrame = 20;
    EXPECT_EQ(FramesToRecord(settings).size(), 20u);
    settings.speed = 2.0;
    const std::vector<float> fast = FramesToRecord(settings);
    ASSERT_EQ(fast.size(), 10u);
    EXPECT_FLOAT_EQ(fast.back(), 19.0f);
    settings.speed = 0.1;
    EXPECT_EQ(FramesToRecord(settings).size(), 191u);
    settings.speed = 0.0; // not a speed: one frame a frame
    EXPECT_EQ(FramesToRecord(settings).size(), 20u);
    settings.startFrame = 21;
    EXPECT_TRUE(FramesToRecord(settings).empty());
    // The second loop's first frame is its own, not the timeline's.
    EXPECT_FLOAT_EQ(FrameTime(kLoops[1], 1.0f), 31.0f);
    EXPECT_FLOAT_EQ(FrameTime(kLoops[1], 20.0f), 50.0f);
    EXPECT_EQ(kLoops[1].FrameCount(), 20);
}

} // namespace
