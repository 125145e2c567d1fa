#include <gtest/gtest.h>

#include "x_server.h"

#include <QAction>
#include <QGuiApplication>
#include <QTest>
#include <filesystem>

#include "formats/stl_writer.h"
#include "command_ids.h"
#include "frame_binding.h"
#include "image_fixtures.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "main_frame.h"
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
