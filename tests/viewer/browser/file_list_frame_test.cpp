#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <filesystem>

#include "command_ids.h"
#include "file_list_pane.h"
#include "folder_tree.h"
#include "formats/stl_writer.h"
#include "frame_binding.h"
#include "image_fixtures.h"
#include "kestrel_doc.h"
#include "main_frame.h"
#include "preference_store.h"
#include "temp_dir.h"

namespace {

using namespace kestrel;

TEST(FileListInTheWindow, OpeningFromTheListShowsTheModelAndStoresItsThumbnail)
{
    const auto before = std::filesystem::current_path();
    frame::CMainFrame frame(frame::CMainFrame::Options{KESTREL_PLUGIN_FOLDER, false});
    ASSERT_TRUE(frame.Create());
    auto* binding = new view::CFrameBinding(frame);
    frame.resize(900, 700);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    auto* list = frame.findChild<browser::CFileListPane*>("fileListPane");
    auto* tree = frame.findChild<browser::CFolderTree*>("folderTree");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(tree, nullptr);

    test::TempDir dir;
    test::WriteBytes(dir.File("cube.stl"), test::stl::WriteBinary("cube", test::stl::Cube()));
    test::WriteBytes(dir.File("pattern.tga"),
                     test::MakeTga(test::MakePattern(20, 10, 24, test::PatternColours::kFull), {}));
    ASSERT_TRUE(tree->SelectFolder(QString::fromStdString(dir.Path().string())));
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Folder(), QString::fromStdString(dir.Path().string()));

    // The view modes follow the menu and are kept in the settings.
    frame.Action(cmd::kDetails)->trigger();
    EXPECT_EQ(list->ViewMode(), browser::kDetailsMode);
    EXPECT_EQ(frame.Preferences().State().fileListStyle, browser::kDetailsMode);
    frame.RefreshCommands();
    EXPECT_TRUE(frame.Action(cmd::kDetails)->isChecked());
    EXPECT_FALSE(frame.Action(cmd::kEditCopy)->isEnabled()); // nothing selected yet
    EXPECT_FALSE(frame.Action(cmd::kEditCut)->isEnabled());
    EXPECT_FALSE(frame.Action(cmd::kGenerateThumbnails)->isEnabled());

    list->SelectRow(0);
    EXPECT_EQ(binding->Doc().PathName(), QString::fromStdString(dir.File("cube.stl")));
    EXPECT_EQ(binding->Doc().ViewMode(), 1);
    EXPECT_TRUE(list->Database().Contains(QString::fromStdString(dir.File("cube.stl")).toStdU16String()));
    frame.RefreshCommands();
    EXPECT_TRUE(frame.Action(cmd::kEditCopy)->isEnabled());
    EXPECT_TRUE(frame.Action(cmd::kDelete)->isEnabled());

    // Next File, through the window's command, opens the image.
    frame.Action(cmd::kNextFile)->trigger();
    EXPECT_EQ(binding->Doc().ViewMode(), 2);
    EXPECT_TRUE(list->Database().Contains(QString::fromStdString(dir.File("pattern.tga")).toStdU16String()));
    frame.Action(cmd::kNextFile)->trigger(); // wraps to the first
    EXPECT_EQ(binding->Doc().PathName(), QString::fromStdString(dir.File("cube.stl")));

    // The model's stored thumbnail is the view's picture: not the type's default.
    const QImage stored = list->ThumbnailOf("cube.stl", 0).toImage();
    const QImage fallback = browser::DefaultThumbnail(browser::MakeListedType("STL", "").largeIcon).toImage();
    EXPECT_NE(stored, fallback);
    stored.save(QString::fromStdString(dir.File("shown.png")));
    std::filesystem::current_path(before);
}

} // namespace
