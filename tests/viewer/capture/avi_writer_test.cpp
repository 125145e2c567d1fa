#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "avi_writer.h"
#include "clip_reader.h"
#include "temp_dir.h"
#include "video_codecs.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace {

namespace fs = std::filesystem;
using namespace kestrel::capture;
using kestrel::test::Clip;
using kestrel::test::ReadClip;

constexpr int kFrames = 10;
constexpr double kFps = 10.0;
constexpr char kReadOnlyError[] = "AVI Stream creation failed. Check Bitmap info. Read only file.";

// Blue runs left to right, green top to bottom, red tells the frames apart: smooth enough
// for lossy codecs, and a flipped, mirrored or reordered picture shows at once.
uint8_t PatternByte(int frame, int x, int yFromTop, int channel, int width, int height)
{
    switch (channel) {
    case 0: return uint8_t(x * 255 / (width - 1));
    case 1: return uint8_t(yFromTop * 255 / (height - 1));
    default: return uint8_t(40 + 20 * frame);
    }
}

// Bottom row first, as read from the frame buffer.
std::vector<uint8_t> PatternFrame(int frame, int width, int height)
{
    std::vector<uint8_t> bgr(size_t(width) * height * 3);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                bgr[(size_t(row) * width + x) * 3 + c] = PatternByte(frame, x, height - 1 - row, c, width, height);
    return bgr;
}

// The largest mean difference of one channel over the picture's area (padding aside).
double WorstChannelError(const std::vector<uint8_t>& decoded, int decodedWidth, int frame, int width, int height)
{
    double worst = 0;
    for (int c = 0; c < 3; ++c) {
        double sum = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                sum += std::abs(int(decoded[(size_t(y) * decodedWidth + x) * 3 + c]) -
                                int(PatternByte(frame, x, y, c, width, height)));
        worst = std::max(worst, sum / (double(width) * height));
    }
    return worst;
}

bool IsLossless(const std::string& id) { return id == "ffv1" || id == "huffyuv" || id == "rawvideo"; }

std::vector<std::string> FolderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool WritePatternClip(CAviWriter& writer, const std::string& path, int width, int height, const VideoOptions& options,
                      int frames = kFrames)
{
    if (!writer.Open(path, width, height, kFps, options))
        return false;
    for (int f = 0; f < frames; ++f)
        if (!writer.WriteFrame(PatternFrame(f, width, height).data()))
            return false;
    return true;
}

class AviWriter : public ::testing::Test {
protected:
    static void SetUpTestSuite() { av_log_set_level(AV_LOG_QUIET); }
    kestrel::test::TempDir dir;
};

TEST(VideoCodecs, TheCommonCodecsComeFirstInAFixedOrderWithSaneRanges)
{
    const std::vector<VideoCodec> codecs = AvailableVideoCodecs();
    ASSERT_GE(codecs.size(), 3u);
    EXPECT_EQ(codecs[0].id, "mjpeg");
    EXPECT_EQ(codecs[0].label, "Motion JPEG");
    EXPECT_EQ(codecs[1].id, "mpeg4");
    EXPECT_EQ(codecs[1].label, "MPEG-4 Part 2");
    EXPECT_EQ(codecs[2].id, "ffv1");
    EXPECT_EQ(codecs[2].label, "FFV1 (lossless)");
    int h264 = 0;
    for (const VideoCodec& c : codecs) {
        SCOPED_TRACE(c.id);
        EXPECT_FALSE(c.label.empty());
        h264 += c.label == "H.264";
        if (c.setting != VideoCodec::Setting::None) {
            EXPECT_LT(c.minimum, c.maximum);
            EXPECT_GE(c.defaultValue, c.minimum);
            EXPECT_LE(c.defaultValue, c.maximum);
        }
    }
    EXPECT_LE(h264, 1);
    VideoCodec found;
    EXPECT_FALSE(FindVideoCodec("no-such-encoder", found));
    ASSERT_TRUE(FindVideoCodec("mjpeg", found));
    EXPECT_EQ(EffectiveSettingValue(found, -1), found.defaultValue);
    EXPECT_EQ(EffectiveSettingValue(found, 1000), found.maximum);
}

TEST_F(AviWriter, EveryCodecWritesAClipThatReadsBackFrameForFrame)
{
    av_log_set_level(AV_LOG_QUIET);
    for (const VideoCodec& codec : AvailableVideoCodecs()) {
        for (const auto& [width, height] : {std::pair{64, 48}, std::pair{65, 49}}) {
            SCOPED_TRACE(codec.id + " " + std::to_string(width) + "x" + std::to_string(height));
            const std::string path = dir.File(codec.id + std::to_string(width) + ".avi");
            CAviWriter writer;
            ASSERT_TRUE(WritePatternClip(writer, path, width, height, {codec.id, -1})) << writer.LastError();
            const int codedWidth = writer.EncodedWidth(), codedHeight = writer.EncodedHeight();
            EXPECT_EQ(writer.FramesWritten(), kFrames);
            ASSERT_TRUE(writer.Close()) << writer.LastError();
            EXPECT_FALSE(writer.IsOpen());

            const Clip clip = ReadClip(path);
            ASSERT_TRUE(clip.opened);
            EXPECT_EQ(clip.container, "avi");
            EXPECT_EQ(clip.width, codedWidth);
            EXPECT_EQ(clip.height, codedHeight);
            EXPECT_TRUE(codedWidth == width || codedWidth == width + 1);
            EXPECT_TRUE(codedHeight == height || codedHeight == height + 1);
            EXPECT_EQ(av_cmp_q(clip.frameRate, AVRational{10, 1}), 0);
            EXPECT_EQ(clip.headerFrames, kFrames);
            ASSERT_EQ(int(clip.frames.size()), kFrames);
            for (int f = 0; f < kFrames; ++f) {
                const double error = WorstChannelError(clip.frames[f], clip.width, f, width, height);
                if (IsLossless(codec.id))
                    EXPECT_EQ(error, 0.0) << "frame " << f;
                else
                    EXPECT_LT(error, 6.0) << "frame " << f;
            }
        }
    }
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 2 * AvailableVideoCodecs().size()); // no temporary files
}

TEST_F(AviWriter, FractionalRatesAreKeptExactly)
{
    const std::string path = dir.File("ntsc.avi");
    CAviWriter writer;
    ASSERT_TRUE(writer.Open(path, 32, 24, 29.97, {}));
    ASSERT_TRUE(writer.WriteFrame(PatternFrame(0, 32, 24).data()));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(av_cmp_q(ReadClip(path).frameRate, AVRational{2997, 100}), 0);
}

TEST_F(AviWriter, HigherQualityGivesLargerFiles)
{
    // Noise, so the picture's detail and not the file's headers decides the size.
    std::vector<uint8_t> noise(256 * 192 * 3);
    uint32_t state = 12345;
    for (uint8_t& b : noise)
        b = uint8_t((state = state * 1664525u + 1013904223u) >> 24);
    for (const std::string id : {"mjpeg", "mpeg4"}) {
        SCOPED_TRACE(id);
        CAviWriter low, high;
        ASSERT_TRUE(low.Open(dir.File(id + "low.avi"), 256, 192, kFps, {id, 1}));
        ASSERT_TRUE(high.Open(dir.File(id + "high.avi"), 256, 192, kFps, {id, 100}));
        ASSERT_TRUE(low.WriteFrame(noise.data()));
        ASSERT_TRUE(high.WriteFrame(noise.data()));
        ASSERT_TRUE(low.Close());
        ASSERT_TRUE(high.Close());
        EXPECT_LT(fs::file_size(dir.File(id + "low.avi")) * 2, fs::file_size(dir.File(id + "high.avi")));
    }
}

TEST_F(AviWriter, BadTargetsAndSettingsFailWithTheirMessageAndLeaveNothing)
{
    CAviWriter writer;
    const std::string missing = (dir.Path() / "no-folder" / "clip.avi").string();
    EXPECT_FALSE(writer.Open(missing, 64, 48, kFps, {}));
    EXPECT_EQ(writer.LastError(), "AVI Engine failed to initialize. Check filename " + missing +
                                      ". A disk error occurred while opening the file.");
    EXPECT_FALSE(writer.Open(dir.Path().string(), 64, 48, kFps, {}));
    EXPECT_EQ(writer.LastError().rfind("AVI Engine failed to initialize.", 0), 0u);

    EXPECT_FALSE(writer.Open(dir.File("clip.avi"), 0, 48, kFps, {}));
    EXPECT_EQ(writer.LastError(), "AVI Stream creation failed. Check Bitmap info.");
    EXPECT_FALSE(writer.Open(dir.File("clip.avi"), 64, 48, 0.0, {}));
    EXPECT_EQ(writer.LastError(), "AVI Stream creation failed. Check Bitmap info.");
    EXPECT_FALSE(writer.Open(dir.File("clip.avi"), 64, 48, std::nan(""), {}));

    EXPECT_FALSE(writer.Open(dir.File("clip.avi"), 64, 48, kFps, {"no-such-encoder", -1}));
    EXPECT_EQ(writer.LastError(), "AVI Compressed Stream creation failed. A suitable compressor cannot be found.");

    EXPECT_FALSE(writer.IsOpen());
    EXPECT_FALSE(writer.WriteFrame(PatternFrame(0, 64, 48).data()));
    EXPECT_FALSE(writer.Close());
    EXPECT_TRUE(FolderEntries(dir.Path()).empty());
}

TEST_F(AviWriter, AReadOnlyFolderOrFileIsNotWritten)
{
    const fs::path folder = dir.Path() / "locked";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    CAviWriter writer;
    EXPECT_FALSE(writer.Open((folder / "clip.avi").string(), 64, 48, kFps, {}));
    EXPECT_EQ(writer.LastError(), kReadOnlyError);
    EXPECT_TRUE(FolderEntries(folder).empty());
    fs::permissions(folder, fs::perms::owner_all);

    const std::string kept = dir.File("kept.avi");
    std::ofstream(kept) << "old";
    fs::permissions(kept, fs::perms::owner_read);
    EXPECT_FALSE(writer.Open(kept, 64, 48, kFps, {}));
    EXPECT_EQ(writer.LastError(), kReadOnlyError);
    EXPECT_EQ(FileBytes(kept), "old");
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 2u);
}

TEST_F(AviWriter, AbandoningLeavesNothingAndKeepsAnEarlierGoodFile)
{
    const std::string path = dir.File("clip.avi");
    {
        CAviWriter writer;
        ASSERT_TRUE(WritePatternClip(writer, path, 64, 48, {}, 3));
        writer.Abandon();
        EXPECT_FALSE(writer.IsOpen());
        EXPECT_TRUE(FolderEntries(dir.Path()).empty());
    }

    CAviWriter good;
    ASSERT_TRUE(WritePatternClip(good, path, 64, 48, {}));
    ASSERT_TRUE(good.Close());
    const std::string before = FileBytes(path);

    CAviWriter replacement;
    ASSERT_TRUE(WritePatternClip(replacement, path, 64, 48, {"ffv1", -1}, 4));
    EXPECT_EQ(FileBytes(path), before); // the old file stays in place while recording
    replacement.Abandon();
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"clip.avi"});
}

TEST_F(AviWriter, AFailedFrameDropsTheRecordingOnClose)
{
    const std::string path = dir.File("clip.avi");
    std::ofstream(path) << "old";
    CAviWriter writer;
    ASSERT_TRUE(writer.Open(path, 64, 48, kFps, {}));
    ASSERT_TRUE(writer.WriteFrame(PatternFrame(0, 64, 48).data()));
    EXPECT_FALSE(writer.WriteFrame(nullptr));
    EXPECT_EQ(writer.LastError(), "AVI frame writing failed.");
    EXPECT_FALSE(writer.Close());
    EXPECT_EQ(writer.LastError(), "AVI frame writing failed.");
    EXPECT_EQ(FileBytes(path), "old");
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 1u);
}

TEST_F(AviWriter, TheDestructorFinishesAnOpenFile)
{
    const std::string path = dir.File("clip.avi");
    {
        CAviWriter writer;
        ASSERT_TRUE(WritePatternClip(writer, path, 64, 48, {}, 2));
    }
    const Clip clip = ReadClip(path);
    EXPECT_EQ(clip.frames.size(), 2u);
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 1u);
}

TEST_F(AviWriter, AFinishedFileGetsOrdinaryPermissionsOrKeepsThoseItReplaces)
{
    const mode_t previous = ::umask(022);
    CAviWriter writer;
    ASSERT_TRUE(WritePatternClip(writer, dir.File("new.avi"), 64, 48, {}, 1));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(fs::status(dir.File("new.avi")).permissions(), fs::perms(0644));

    std::ofstream(dir.File("shared.avi")) << "old";
    fs::permissions(dir.File("shared.avi"), fs::perms(0664));
    ASSERT_TRUE(WritePatternClip(writer, dir.File("shared.avi"), 64, 48, {}, 1));
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(fs::status(dir.File("shared.avi")).permissions(), fs::perms(0664));
    EXPECT_EQ(ReadClip(dir.File("shared.avi")).frames.size(), 1u);
    ::umask(previous);
}

} // namespace
