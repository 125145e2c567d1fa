#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTest>
#include <filesystem>

#include "command_ids.h"
#include "frame_binding.h"
#include "kestrel_view.h"
#include "main_frame.h"
#include "misc_page.h"
#include "preference_store.h"
#include "status_message.h"
#include "temp_dir.h"

namespace {

using namespace kestrel;

TEST(SnapshotCommands, F7PutsTheViewOnTheClipboardAndF8WritesNumberedJpegs)
{
    frame::CMainFrame frame(frame::CMainFrame::Options{KESTREL_PLUGIN_FOLDER, false});
    ASSERT_TRUE(frame.Create());
    auto* binding = new view::CFrameBinding(frame);
    frame.resize(801, 600);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QSize viewSize = binding->View().size() * binding->View().devicePixelRatio();

    frame.RefreshCommands();
    ASSERT_TRUE(frame.Action(cmd::kSnapClipboard)->isEnabled());
    frame.Action(cmd::kSnapClipboard)->trigger();
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), viewSize);
    EXPECT_EQ(frame.Status().Text(), "Screenshot copied to the clipboard");

    test::TempDir folder;
    const std::string existing = (folder.Path() / "scr000.jpg").string();
    QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(existing), "JPG");
    settings::StoreFolderText(QString::fromStdString(folder.Path().string()),
                              frame.Preferences().Settings().screenshotFolder);
    const QString before = QDir::currentPath();
    frame.Action(cmd::kSnapFile)->trigger();
    const QString written = QString::fromStdString((folder.Path() / "scr001.jpg").string());
    ASSERT_TRUE(QFileInfo::exists(written)) << frame.Status().Text().toStdString();
    EXPECT_EQ(frame.Status().Text(), "Screenshot saved to " + written);
    const QImage saved(written);
    EXPECT_EQ(saved.width(), (viewSize.width() + 3) / 4 * 4);
    EXPECT_EQ(saved.height(), viewSize.height());
    EXPECT_EQ(QDir::currentPath(), before);

    // A folder that is gone: "Screenshots" beside the program, kept as the setting.
    settings::StoreFolderText(QString::fromStdString((folder.Path() / "gone").string()),
                              frame.Preferences().Settings().screenshotFolder);
    frame.Action(cmd::kSnapFile)->trigger();
    const QString fallback = QDir(QCoreApplication::applicationDirPath()).filePath("Screenshots");
    EXPECT_EQ(settings::FolderText(frame.Preferences().Settings().screenshotFolder), fallback);
    EXPECT_TRUE(frame.Status().Text().startsWith("Screenshot saved to " + fallback));
    QDir(fallback).removeRecursively();
}

} // namespace
