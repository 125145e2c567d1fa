#include <gtest/gtest.h>

#include <QFile>
#include <fstream>
#include <sys/stat.h>

#include "platform/local_path.h"
#include "temp_dir.h"

using kestrel::platform::LocalPath;
using kestrel::platform::PathFromLocal;

namespace {

std::string Touch(const kestrel::test::TempDir& dir, const std::string& name)
{
    const std::string path = dir.File(name);
    std::ofstream(path) << "x";
    return path;
}

} // namespace

TEST(LocalPath, BytesThatAreNotUtf8SurviveTheTextOfTheProgram)
{
    kestrel::test::TempDir dir;
    const std::string path = Touch(dir, "caf\xe9\xff.stl");
    EXPECT_EQ(LocalPath(PathFromLocal(path)), path);
    const std::string plain = Touch(dir, "caf\xc3\xa9.stl");
    EXPECT_EQ(PathFromLocal(plain), QFile::decodeName(plain.c_str()));
    EXPECT_EQ(LocalPath(QFile::decodeName(plain.c_str())), plain);
}

// Qt's file dialogs name such a file with U+FFFD in place of its bytes.
TEST(LocalPath, ANameShownByQtIsMatchedToTheFileInItsFolder)
{
    kestrel::test::TempDir dir;
    const std::string folder = dir.File("m\xf6" "dels");
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const std::string path = folder + "/t\xe9rrain.stl";
    std::ofstream(path) << "x";
    EXPECT_EQ(LocalPath(QFile::decodeName(path.c_str())), path);

    // Two names shown alike are not guessed between.
    Touch(dir, "a\xe8.off");
    Touch(dir, "a\xe9.off");
    const QString shown = QFile::decodeName(dir.File("a\xe9.off").c_str());
    const std::string resolved = LocalPath(shown);
    struct stat st{};
    EXPECT_NE(::stat(resolved.c_str(), &st), 0);
}
