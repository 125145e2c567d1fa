#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <filesystem>
#include <fstream>

#include "folder_tree.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kestrel::browser::CFolderTree;

QString Q(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

TEST(FolderTree, ShowsTheRootAndTheHomeAndListsFoldersOnly)
{
    CFolderTree tree;
    ASSERT_EQ(tree.model()->rowCount(), 2);
    EXPECT_EQ(tree.model()->index(0, 0).data().toString(), "/");
    EXPECT_EQ(tree.model()->index(1, 0).data().toString(), QDir(QDir::homePath()).dirName());

    kestrel::test::TempDir dir;
    fs::create_directory(dir.Path() / "beta");
    fs::create_directory(dir.Path() / "Alpha");
    std::ofstream(dir.Path() / "file.stl") << "x";
    QSignalSpy selected(&tree, &CFolderTree::folderSelected);
    ASSERT_TRUE(tree.SelectFolder(Q(dir.Path())));
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).toString(), Q(dir.Path()));
    const QModelIndex folder = tree.currentIndex();
    tree.expand(folder); // listed when opened
    ASSERT_EQ(tree.model()->rowCount(folder), 2); // no files
    EXPECT_EQ(tree.model()->index(0, 0, folder).data().toString(), "Alpha");
    EXPECT_EQ(tree.model()->index(1, 0, folder).data().toString(), "beta");
    EXPECT_TRUE(tree.SelectFolder(Q(dir.Path() / "beta")));
    EXPECT_EQ(tree.CurrentFolder(), Q(dir.Path() / "beta"));
    EXPECT_TRUE(tree.SelectParent());
    EXPECT_EQ(tree.CurrentFolder(), Q(dir.Path()));
}

TEST(FolderTree, AFolderMadeAfterItsParentWasListedIsFound)
{
    kestrel::test::TempDir dir;
    CFolderTree tree;
    ASSERT_TRUE(tree.SelectFolder(Q(dir.Path())));
    tree.expand(tree.currentIndex()); // listed now, while it is empty
    fs::create_directory(dir.Path() / "later");
    EXPECT_TRUE(tree.SelectFolder(Q(dir.Path() / "later")));
    EXPECT_EQ(tree.CurrentFolder(), Q(dir.Path() / "later"));
}

TEST(FolderTree, FoldersUnderTheHomeAreFoundInTheHomesBranch)
{
    CFolderTree tree;
    const QString home = QDir::cleanPath(QDir::homePath());
    QDir(home).mkpath("projects/models");
    ASSERT_TRUE(tree.SelectFolder(home + "/projects/models"));
    QModelIndex top = tree.currentIndex();
    while (top.parent().isValid())
        top = top.parent();
    EXPECT_EQ(top.row(), 1);
}

TEST(FolderTree, ANewFolderIsMadeWhenNamedAndForgottenWhenLeftEmpty)
{
    kestrel::test::TempDir dir;
    CFolderTree tree;
    tree.show();
    ASSERT_TRUE(tree.SelectFolder(Q(dir.Path())));
    ASSERT_TRUE(tree.StartNewFolder());
    EXPECT_FALSE(tree.StartNewFolder()); // one at a time
    EXPECT_TRUE(tree.FinishNewFolder("made"));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "made"));
    EXPECT_EQ(tree.CurrentFolder(), Q(dir.Path() / "made"));

    ASSERT_TRUE(tree.SelectFolder(Q(dir.Path())));
    const int before = tree.model()->rowCount(tree.currentIndex());
    ASSERT_TRUE(tree.StartNewFolder());
    EXPECT_EQ(tree.model()->rowCount(tree.currentIndex()), before + 1);
    EXPECT_FALSE(tree.FinishNewFolder(""));
    EXPECT_EQ(tree.model()->rowCount(tree.currentIndex()), before);

    QSignalSpy failed(&tree, &CFolderTree::failed);
    ASSERT_TRUE(tree.StartNewFolder());
    EXPECT_FALSE(tree.FinishNewFolder("made")); // taken
    EXPECT_EQ(failed.count(), 1);
}

} // namespace
