#include <gtest/gtest.h>

#include "x_server.h"

#include <QAction>
#include <QGuiApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <filesystem>
#include <set>

#include "formats/stl_writer.h"
#include "command_ids.h"
#include "folder_tree.h"
#include "frame_binding.h"
#include "image_fixtures.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "main_frame.h"
#include "open_progress.h"
#include "preference_store.h"
#include "recent_files.h"
#include "status_message.h"
#include "temp_dir.h"

namespace {

using namespace kestrel;

TEST(FrameBinding, TheViewSitsInTheFrameAndAnswersItsCommands)
{
    KESTREL_SKIP_WITHOUT_X_SERVER();
    const auto before = std::filesystem::current_path();
    frame::CMainFrame frame(frame::CMainFrame::Options{KESTREL_PLUGIN_FOLDER, false});
    ASSERT_TRUE(frame.Create());
    auto* binding = new view::CFrameBinding(frame);
    EXPECT_EQ(frame.CentralView(), &binding->View());
    frame.resize(640, 480);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    binding->View().grabFramebuffer();

    test::TempDir dir;
    test::WriteBytes(dir.File("cube.stl"), test::stl::WriteBinary("cube", test::stl::Cube()));
    emit frame.OpenFileRequested(QString::fromStdString(dir.File("cube.stl")));
    EXPECT_TRUE(frame.Status().Text().startsWith("Model loaded in ")) << frame.Status().Text().toStdString();
    EXPECT_EQ(binding->Doc().ViewMode(), 1);
    EXPECT_EQ(&binding->PlugInModel(), &binding->Doc().Data().model);

    // Menu commands reach the view and change the frame's preferences.
    const uint8_t mode = frame.Preferences().State().meshMode;
    ASSERT_NE(frame.Action(cmd::kMeshSolid), nullptr);
    frame.Action(cmd::kMeshSolid)->trigger();
    EXPECT_EQ(frame.Preferences().State().meshMode, mode == 12 ? 0 : 12);
    EXPECT_FALSE(frame.Action(cmd::kRotateLeft)->isEnabled()); // images only
    frame.Action(cmd::kCameraTop)->trigger();
    EXPECT_EQ(binding->Doc().CameraValues().rotation.x, -90.0f);
    EXPECT_TRUE(frame.RecentFiles().Files().contains(QString::fromStdString(dir.File("cube.stl"))));
    std::filesystem::current_path(before);
}

} // namespace

namespace {

// What the window shows and allows at the moment a long read starts.
struct DuringRead {
    bool seen = false;
    bool openEnabled = true;
    bool exitEnabled = false;
    bool cancelShown = false;
};

TEST(FrameBinding, ALongReadKeepsTheWindowWorkingAndCanBeCancelled)
{
    KESTREL_SKIP_WITHOUT_X_SERVER();
    const auto before = std::filesystem::current_path();
    frame::CMainFrame frame(frame::CMainFrame::Options{KESTREL_PLUGIN_FOLDER, false});
    ASSERT_TRUE(frame.Create());
    auto* binding = new view::CFrameBinding(frame);
    frame.resize(640, 480);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    view::CKestrelDoc& doc = binding->Doc();
    doc.SetQuietReadTime(std::chrono::milliseconds(-1)); // every read counts as long

    test::TempDir dir;
    test::WriteBytes(dir.File("cube.stl"), test::stl::WriteBinary("cube", test::stl::Cube()));
    const QString path = QString::fromStdString(dir.File("cube.stl"));
    DuringRead during;
    bool cancel = false;
    QObject::connect(&doc, &view::CKestrelDoc::loadingChanged, &frame, [&](bool loading) {
        if (!loading)
            return;
        during.seen = true;
        during.openEnabled = frame.Action(cmd::kFileOpen)->isEnabled();
        during.exitEnabled = frame.Action(cmd::kAppExit)->isEnabled();
        QWidget* progress = frame.findChild<QWidget*>("openProgress");
        during.cancelShown = progress && progress->isVisible();
        EXPECT_FALSE(doc.Open(path)); // a second open meanwhile is refused
        auto* button = frame.findChild<QPushButton*>("cancelOpen");
        if (cancel && button)
            QTest::mouseClick(button, Qt::LeftButton); // as the user cancels
    });

    // Read to the end: the same document as a quick read, and the window's commands back.
    EXPECT_TRUE(doc.Open(path));
    EXPECT_TRUE(during.seen);
    EXPECT_FALSE(during.openEnabled);
    EXPECT_TRUE(during.exitEnabled);
    EXPECT_TRUE(during.cancelShown);
    EXPECT_TRUE(frame.Status().Text().startsWith("Model loaded in ")) << frame.Status().Text().toStdString();
    EXPECT_EQ(doc.Data().stats.totalTriangles, 12u);
    EXPECT_EQ(doc.Title(), QString("cube.stl"));
    EXPECT_TRUE(frame.Action(cmd::kFileOpen)->isEnabled());
    EXPECT_FALSE(frame.findChild<QWidget*>("openProgress")->isVisible());

    // Cancelled: an empty new document, said so, and the next open works again.
    cancel = true;
    EXPECT_FALSE(doc.Open(path));
    EXPECT_EQ(frame.Status().Text(), QString("Loading cancelled."));
    EXPECT_EQ(doc.Data().stats.totalTriangles, 0u);
    EXPECT_TRUE(doc.PathName().isEmpty());
    EXPECT_TRUE(frame.Action(cmd::kFileOpen)->isEnabled());
    cancel = false;
    EXPECT_TRUE(doc.Open(path));
    EXPECT_EQ(doc.Data().stats.totalTriangles, 12u);
    std::filesystem::current_path(before);
}

} // namespace

namespace {

// The busy bar moves a few times a second, not at the screen's rate: each change redraws the
// whole window with the 3D view, which took the processor from the read.
TEST(FrameBinding, TheOpenProgressBarStepsWhileLoadingAndRestsAfter)
{
    KESTREL_SKIP_WITHOUT_X_SERVER();
    QStatusBar bar;
    view::COpenProgress progress(bar);
    bar.show();
    auto* busy = progress.findChild<QProgressBar*>();
    ASSERT_NE(busy, nullptr);
    EXPECT_GT(busy->maximum(), busy->minimum()); // a range of its own: no animation at the screen's rate
    progress.SetLoading(true);
    EXPECT_TRUE(progress.isVisible());
    std::set<int> seen;
    int changes = 0;
    QObject::connect(busy, &QProgressBar::valueChanged, &progress, [&](int value) {
        seen.insert(value);
        ++changes;
    });
    QTest::qWait(1000);
    EXPECT_GE(seen.size(), 3u);
    EXPECT_LE(changes, 10);
    progress.SetLoading(false);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(busy->value(), busy->minimum());
    const int afterStop = changes;
    QTest::qWait(300);
    EXPECT_EQ(changes, afterStop);
}

TEST(FrameBinding, TheFolderTreeKeepsTheCurrentFolderAndGoesUpOneLevel)
{
    KESTREL_SKIP_WITHOUT_X_SERVER();
    frame::CMainFrame frame(frame::CMainFrame::Options{KESTREL_PLUGIN_FOLDER, false});
    ASSERT_TRUE(frame.Create());
    new view::CFrameBinding(frame);
    frame.resize(800, 600);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    auto* tree = frame.findChild<browser::CFolderTree*>("folderTree");
    ASSERT_NE(tree, nullptr);
    EXPECT_FALSE(tree->CurrentFolder().isEmpty()); // the last folder or the samples beside the program

    test::TempDir dir;
    std::filesystem::create_directory(dir.Path() / "inner");
    const QString inner = QString::fromStdString((dir.Path() / "inner").string());
    ASSERT_TRUE(tree->SelectFolder(inner));
    EXPECT_EQ(tree->CurrentFolder(), inner);
    const prefs::StateBlock& state = frame.Preferences().State();
    EXPECT_EQ(QString::fromUtf16(state.currentFolder), inner);
    EXPECT_FALSE(tree->SelectFolder(QString::fromStdString(dir.File("not-there"))));

    frame.RefreshCommands();
    QAction* up = frame.Action(cmd::kUpOneLevel);
    ASSERT_NE(up, nullptr);
    ASSERT_TRUE(up->isEnabled());
    up->trigger();
    EXPECT_EQ(tree->CurrentFolder(), QString::fromStdString(dir.Path().string()));
    tree->SelectFolder("/");
    frame.RefreshCommands();
    EXPECT_FALSE(up->isEnabled()); // nothing above the root
}

} // namespace
