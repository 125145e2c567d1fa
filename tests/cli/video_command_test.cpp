// Videos from the command line: a sequence recorded off screen, read back, and the
// failures a user meets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "clip_reader.h"
#include "sample_files.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

int RunCli(const std::string& args)
{
    const int status = std::system((std::string(KESTREL_CLI) + " " + args + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(VideoCommand, RecordsTheSequenceAsAviOrMp4)
{
    kestrel::test::TempDir dir;
    ASSERT_TRUE(kestrel::samples::WriteAnimatedArm(dir.Path().string()));
    const std::string arm = dir.File("arm.ms3d");
    ASSERT_EQ(RunCli("video " + arm + " -o " + dir.File("arm.avi") + " --size 64x48 --start 3 --end 12 --fps 12.5"), 0);
    const kestrel::test::Clip avi = kestrel::test::ReadClip(dir.File("arm.avi"));
    ASSERT_TRUE(avi.opened);
    EXPECT_EQ(avi.container, "avi");
    EXPECT_EQ(avi.frames.size(), 10u);
    EXPECT_EQ(avi.width, 64);
    EXPECT_EQ(avi.height, 48);
    EXPECT_EQ(avi.frameRate.num, 25);
    EXPECT_EQ(avi.frameRate.den, 2);
    ASSERT_FALSE(avi.frames.empty());
    // The arm moves (its wave comes back, so some frames repeat).
    EXPECT_TRUE(std::any_of(avi.frames.begin(), avi.frames.end(),
                            [&avi](const std::vector<uint8_t>& f) { return f != avi.frames.front(); }));

    ASSERT_EQ(RunCli("video " + arm + " -o " + dir.File("arm.mp4") + " --size 64x48 --end 4 --codec mpeg4"), 0);
    const kestrel::test::Clip mp4 = kestrel::test::ReadClip(dir.File("arm.mp4"));
    ASSERT_TRUE(mp4.opened);
    EXPECT_NE(mp4.container.find("mp4"), std::string::npos) << mp4.container;
    EXPECT_EQ(mp4.frames.size(), 4u);
}

TEST(VideoCommand, RefusesWhatItCannotRecord)
{
    kestrel::test::TempDir dir;
    ASSERT_TRUE(kestrel::samples::WriteAnimatedArm(dir.Path().string()));
    ASSERT_TRUE(kestrel::samples::WriteTileOff(dir.Path().string()));
    const std::string arm = dir.File("arm.ms3d");
    EXPECT_EQ(RunCli("video " + dir.File("tiles.off") + " -o " + dir.File("tiles.avi")), 1); // nothing moves
    EXPECT_FALSE(fs::exists(dir.File("tiles.avi")));
    EXPECT_EQ(RunCli("video " + arm + " -o " + dir.File("arm.mkv")), 2);
    EXPECT_EQ(RunCli("video " + arm + " -o " + dir.File("arm.avi") + " --size 3x48"), 2);
    EXPECT_EQ(RunCli("video " + arm + " -o " + dir.File("arm.avi") + " --codec nonsense"), 2);
    EXPECT_EQ(RunCli("video " + arm + " -o " + dir.File("arm.avi") + " --sequence nonsense"), 1);
    EXPECT_EQ(RunCli("video " + arm + " -o " + dir.File("arm.mp4") + " --codec rawvideo"), 1); // MP4 cannot hold it
    EXPECT_EQ(RunCli("video " + arm + " -o " + (dir.Path() / "missing" / "arm.avi").string()), 1);
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().extension() == ".avi" || entry.path().extension() == ".mp4", false) << entry.path();
}

} // namespace
