// Saving over a file keeps what the user set up around it: permissions, links, long names,
// and a read-only file stays as it is.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "temp_dir.h"
#include "util/file_io.h"
#include "util/file_replacement.h"

namespace {

namespace fs = std::filesystem;
using kestrel::test::TempDir;

bool Write(const std::string& path, const std::string& text)
{
    return nimbus::WriteFileAtomically(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

mode_t ModeOf(const std::string& path)
{
    struct stat st{};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(FileReplacement, KeepsPermissionsAndWritesThroughLinks)
{
    TempDir dir;
    const std::string file = dir.File("private.kxm3");
    ASSERT_TRUE(Write(file, "one"));
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    ASSERT_TRUE(Write(file, "two"));
    EXPECT_EQ(Read(file), "two");
    EXPECT_EQ(ModeOf(file), mode_t(0600));

    // A link stays a link; its target gets the content, also through a relative link.
    const std::string link = dir.File("link.kxm3");
    fs::create_symlink("private.kxm3", link);
    ASSERT_TRUE(Write(link, "three"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(file), "three");
    // A dangling link creates its target.
    const std::string dangling = dir.File("dangling.kxm3");
    fs::create_symlink("created.kxm3", dangling);
    ASSERT_TRUE(Write(dangling, "four"));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(Read(dir.File("created.kxm3")), "four");
    // Nothing temporary is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 4);
}

TEST(FileReplacement, NamesUpToTheLimitAndReadOnlyTargets)
{
    TempDir dir;
    for (size_t length : {249u, 255u}) {
        const std::string name = std::string(length - 5, 'n') + ".kxm3";
        ASSERT_TRUE(Write(dir.File(name), "long")) << length;
        EXPECT_EQ(Read(dir.File(name)), "long");
    }
    EXPECT_LE(nimbus::TemporaryNameBeside(dir.File(std::string(255, 'x'))).size() - dir.Path().string().size() - 1,
              size_t(NAME_MAX));

    const std::string locked = dir.File("locked.png");
    ASSERT_TRUE(Write(locked, "keep"));
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    nimbus::FileReplacement r;
    EXPECT_EQ(nimbus::BeginReplacement(locked, r), nimbus::ReplaceRefusal::ReadOnly);
    EXPECT_FALSE(Write(locked, "lost"));
    EXPECT_EQ(Read(locked), "keep");
    EXPECT_EQ(nimbus::BeginReplacement(dir.Path().string(), r), nimbus::ReplaceRefusal::NotRegular);
    EXPECT_EQ(nimbus::BeginReplacement(dir.File("missing/x.png"), r), nimbus::ReplaceRefusal::BadPath);
}

} // namespace
