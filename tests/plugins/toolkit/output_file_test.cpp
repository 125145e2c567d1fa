// The exporters' output file: the target is replaced only by a complete file, and
// numbers use "." whatever the locale.

#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "temp_dir.h"
#include "toolkit/output_file.h"

namespace fs = std::filesystem;
using kestrel::test::TempDir;
using kestrel::toolkit::COutputFile;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(OutputFile, CommitReplacesTheTargetAbandoningKeepsIt)
{
    TempDir dir;
    const std::string target = dir.File("out.txt");
    std::ofstream(target) << "old";
    {
        COutputFile file;
        ASSERT_TRUE(file.Open(target));
        file.Print("%s", "half");
        // Dropped without Commit, as a failed export is.
    }
    EXPECT_EQ(ReadAll(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator{}), 1);

    COutputFile file;
    ASSERT_TRUE(file.Open(target));
    std::string big(200000, 'x');
    file.Write(big);
    file.Print("%d|%s", 7, big.c_str());
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadAll(target), big + "7|" + big);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator{}), 1);
}

TEST(OutputFile, NumbersIgnoreTheUserLocale)
{
    TempDir dir;
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    COutputFile file;
    ASSERT_TRUE(file.Open(dir.File("n.txt")));
    file.Print("%f", 1.5);
    ASSERT_TRUE(file.Commit());
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(ReadAll(dir.File("n.txt")), "1.500000");
}

TEST(OutputFile, WriteErrorAfterCreationIsReportedAndKeepsTheTarget)
{
    TempDir dir;
    const std::string target = dir.File("out.bin");
    std::ofstream(target) << "old";
    // A file size limit makes the writes fail once the file has been created.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    COutputFile file;
    const bool opened = file.Open(target);
    file.Write(std::string(200000, 'x'));
    const bool committed = file.Commit();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(committed);
    EXPECT_TRUE(file.Failed());
    EXPECT_EQ(ReadAll(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator{}), 1);
}

mode_t ModeOf(const std::string& path)
{
    struct stat st{};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

size_t EntriesIn(const fs::path& dir) { return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator{})); }

bool Export(const std::string& path, const std::string& text)
{
    COutputFile file;
    if (!file.Open(path))
        return false;
    file.Write(text);
    return file.Commit();
}

// What the user set up around the target survives an export over it.
TEST(OutputFile, ReplacingKeepsReadOnlyFilesPermissionsLinksAndLongNames)
{
    TempDir dir;
    const std::string locked = dir.File("locked.stl");
    std::ofstream(locked) << "keep";
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    EXPECT_FALSE(Export(locked, "lost"));
    EXPECT_EQ(ReadAll(locked), "keep");
    EXPECT_EQ(ModeOf(locked), mode_t(0444));

    const std::string secret = dir.File("secret.txt");
    std::ofstream(secret) << "old";
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    ASSERT_TRUE(Export(secret, "new"));
    EXPECT_EQ(ReadAll(secret), "new");
    EXPECT_EQ(ModeOf(secret), mode_t(0600));

    const std::string longName = dir.File(std::string(246, 'l') + ".stl"); // 250 bytes
    ASSERT_TRUE(Export(longName, "long"));
    EXPECT_EQ(ReadAll(longName), "long");

    const std::string link = dir.File("link.txt");
    fs::create_symlink("secret.txt", link);
    ASSERT_TRUE(Export(link, "through"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(secret), "through");
    EXPECT_EQ(ModeOf(secret), mode_t(0600));
    EXPECT_EQ(EntriesIn(dir.Path()), 4u); // no temporary file left
}

TEST(OutputFile, FoldersAndMissingFoldersAreRefused)
{
    TempDir dir;
    COutputFile file;
    EXPECT_FALSE(file.Open(dir.Path().string()));
    EXPECT_FALSE(file.Open(dir.File("none/out.txt")));
    EXPECT_FALSE(file.Open(""));
    EXPECT_FALSE(file.Commit());
}

} // namespace
