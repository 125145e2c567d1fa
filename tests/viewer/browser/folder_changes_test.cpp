#include <gtest/gtest.h>

#include "folder_changes.h"

namespace {

using namespace kestrel::browser;

TEST(FolderChanges, BothHalvesOfAMoveMakeOneRename)
{
    const std::vector<FolderChange> changes = PairChanges({
        {kMovedOut, 7, "old.stl"},
        {kCreated, 0, "new.tga"},
        {kMovedIn, 7, "renamed.stl"},
    });
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], (FolderChange{ChangeKind::Renamed, "renamed.stl", "old.stl"}));
    EXPECT_EQ(changes[1], (FolderChange{ChangeKind::Added, "new.tga", {}}));
}

TEST(FolderChanges, AHalfAloneIsARemovalOrAnAddition)
{
    // Moved to another folder, and moved in from one: the cookies do not meet.
    const std::vector<FolderChange> changes = PairChanges({
        {kMovedOut, 3, "gone.stl"},
        {kMovedIn, 4, "came.stl"},
        {kMovedIn, 0, "nocookie.stl"},
    });
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].kind, ChangeKind::Removed);
    EXPECT_EQ(changes[0].name, "gone.stl");
    EXPECT_EQ(changes[1].kind, ChangeKind::Added);
    EXPECT_EQ(changes[2].kind, ChangeKind::Added);
}

TEST(FolderChanges, FoldersAndNamelessRecordsAreLeftOut)
{
    const std::vector<FolderChange> changes = PairChanges({
        {kCreated | kIsFolder, 0, "sub"},
        {kDeleted, 0, ""},
        {kWritten, 0, "a.stl"},
        {kDeleted, 0, "b.stl"},
    });
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], (FolderChange{ChangeKind::Modified, "a.stl", {}}));
    EXPECT_EQ(changes[1], (FolderChange{ChangeKind::Removed, "b.stl", {}}));
}

} // namespace
