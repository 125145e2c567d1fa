#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "image_fixtures.h"
#include "nimbus/texture.h"
#include "temp_dir.h"
#include "util/file_io.h"
#include "util/utf16.h"

using namespace kestrel::test;

namespace {

constexpr uint64_t kAnySize = uint64_t(1) << 20;

} // namespace

// A pipe opened for reading would wait for a writer; these must return at once.
TEST(ReadWholeFile, PipesDevicesAndFoldersAreRefusedWithoutWaiting)
{
    TempDir dir;
    const std::string fifo = dir.File("f.stl");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<uint8_t> bytes{1, 2, 3};
    EXPECT_FALSE(nimbus::ReadWholeFile(fifo, bytes, kAnySize));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(nimbus::ReadWholeFile("/dev/zero", bytes, kAnySize));
    EXPECT_FALSE(nimbus::ReadWholeFile(dir.Path().string(), bytes, kAnySize));
    EXPECT_FALSE(nimbus::ReadWholeFile(dir.File("missing.stl"), bytes, kAnySize));
    EXPECT_FALSE(nimbus::ReadWholeFile("", bytes, kAnySize));
}

TEST(ReadWholeFile, ReadsARegularFileWithinItsCapOnly)
{
    TempDir dir;
    WriteBytes(dir.File("a.bin"), {1, 2, 3, 4});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(nimbus::ReadWholeFile(dir.File("a.bin"), bytes, 4));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_FALSE(nimbus::ReadWholeFile(dir.File("a.bin"), bytes, 3));
    EXPECT_TRUE(bytes.empty());
}

// A look at a header reads no more than it asks for, and refuses what a whole read refuses.
TEST(ReadWholeFile, TheStartOfAFileKeepsTheSameRules)
{
    TempDir dir;
    WriteBytes(dir.File("a.bin"), {1, 2, 3, 4, 5, 6, 7, 8});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(nimbus::ReadFileStart(dir.File("a.bin"), bytes, 6, kAnySize));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(nimbus::ReadFileStart(dir.File("a.bin"), bytes, 20, kAnySize));
    EXPECT_EQ(bytes.size(), 8u);
    EXPECT_FALSE(nimbus::ReadFileStart(dir.File("a.bin"), bytes, 6, 7)) << "the cap is on the whole file";
    const std::string fifo = dir.File("f.kxm3");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(nimbus::ReadFileStart(fifo, bytes, 6, kAnySize));
    EXPECT_TRUE(bytes.empty());
}

TEST(ReadWholeFile, ATextureNamingAPipeFailsAtOnce)
{
    TempDir dir;
    const std::string fifo = dir.File("skin.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    CTexture texture;
    texture.SetFileNameUtf8(fifo.c_str());
    EXPECT_FALSE(texture.LoadFromFile());
    EXPECT_TRUE(texture.mData.empty());
}

// File names on Linux are bytes: one that is not UTF-8 must reach the file system unchanged.
TEST(PathText, EveryByteStringSurvivesTheWideRoundTrip)
{
    const std::vector<std::string> names = {
        "plain.ms3d",
        "caf\xc3\xa9.3ds",              // valid UTF-8
        "caf\xe9.3ds",                   // Latin-1
        "\xff\xfe\x80.stl",              // never valid
        "over\xc0\xaf" "long.off",       // an overlong slash
        "sur\xed\xa0\x80rogate.bvh",     // an encoded surrogate
        "cut\xe2\x82",                   // a sequence the end cuts short
        "\xf4\x90\x80\x80" "beyond.md2", // past U+10FFFF
        "\xf0\x9f\x90\xa6 bird.ms3d",    // outside the basic plane
    };
    for (const std::string& name : names) {
        const std::u16string wide = nimbus::Utf8ToUtf16(name.c_str());
        EXPECT_EQ(nimbus::Utf16ToUtf8(wide.c_str()), name) << name;
    }
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte += char(b);
    EXPECT_EQ(nimbus::Utf16ToUtf8(nimbus::Utf8ToUtf16(everyByte.c_str()).c_str()), everyByte);
    EXPECT_EQ(nimbus::Utf8ToUtf16("caf\xc3\xa9"), u"caf\u00e9");
}

TEST(PathText, ATextureWithANameThatIsNotUtf8Loads)
{
    TempDir dir;
    const std::string path = dir.File("sk\xe9n.bmp");
    WriteBytes(path, MakeBmp(MakePattern(2, 2, 24, PatternColours::kFull), {}));
    CTexture texture;
    texture.SetFileNameUtf8(path.c_str());
    ASSERT_TRUE(texture.LoadFromFile());
    EXPECT_EQ(texture.mWidth, 2u);
    EXPECT_EQ(texture.GetFileNameUtf8(), path);
}

// Paths are bounded by the platform's limit, not by a field of 255 characters.
TEST(PathText, ATextureBehindAPathOfSeveralHundredCharactersLoads)
{
    TempDir dir;
    std::string folder = dir.Path().string();
    for (int i = 0; i < 6; ++i) {
        folder += "/" + std::string(100, char('a' + i));
        ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    }
    const std::string path = folder + "/skin.bmp";
    ASSERT_GT(path.size(), 600u);
    WriteBytes(path, MakeBmp(MakePattern(3, 2, 24, PatternColours::kFull), {}));
    CTexture texture;
    texture.SetFileNameUtf8(path.c_str());
    ASSERT_TRUE(texture.LoadFromFile());
    EXPECT_EQ(texture.mWidth, 3u);
    CTexture copy(texture);
    EXPECT_EQ(copy.GetFileNameUtf8(), path);
}
