#include <QAction>
#include <QSettings>
#include <QToolBar>
#include <gtest/gtest.h>

#include "command_ids.h"
#include "frame_test_support.h"
#include "gui_test_env.h"
#include "window_placement.h"

namespace cmd = kestrel::cmd;
using kestrel::test::CreateFrame;
using kestrel::test::FillsWorkArea;
using kestrel::test::WaitFor;
using kestrel::test::WaitForSteady;

namespace {

constexpr const char* kPlacementKey = "Kestrel/BarPos-Normal/Placement";

class FramePlacementTest : public testing::Test {
protected:
    void SetUp() override { kestrel::test::ClearSettings(); }
};

TEST_F(FramePlacementTest, TheFirstStartOpensMaximisedOverTheWholeWorkArea)
{
    auto frame = CreateFrame();
    frame->ShowAtStart();
    EXPECT_TRUE(WaitForSteady([&] { return frame->isMaximized() && FillsWorkArea(*frame); }))
        << "at " << frame->geometry().width() << " x " << frame->geometry().height();
    const QString file =
        kestrel::test::OutputFolder() + QString("/first_start_%1.png").arg(kestrel::test::DesktopKind());
    EXPECT_TRUE(frame->grab().save(file));
}

TEST_F(FramePlacementTest, LaterStartsComeBackAsTheyWereLeft)
{
    {
        auto frame = CreateFrame();
        frame->ShowAtStart();
        WaitForSteady([&] { return FillsWorkArea(*frame); });
        EXPECT_TRUE(frame->isMaximized());
        frame->close();
    }
    const QRect chosen(120, 90, 900, 700);
    {
        auto frame = CreateFrame();
        frame->ShowAtStart();
        EXPECT_TRUE(WaitForSteady([&] { return frame->isMaximized() && FillsWorkArea(*frame); }));
        // A window manager may still be carrying out the maximised start when the window is
        // restored, and undo the new size; as a user would, size it again until it stays.
        int steady = 0;
        for (int tries = 0; tries < 100 && steady < 3; ++tries) {
            if (!frame->isMaximized() && frame->geometry().size() == chosen.size()) {
                ++steady;
            } else {
                steady = 0;
                frame->showNormal();
                frame->setGeometry(chosen);
            }
            WaitFor([] { return false; }, 50);
        }
        ASSERT_EQ(steady, 3) << "left at " << frame->geometry().width() << " x " << frame->geometry().height()
                             << (frame->isMaximized() ? ", maximised" : "");
        frame->close();
    }
    auto frame = CreateFrame();
    frame->ShowAtStart();
    // A window manager on a busy machine may take its time placing the window.
    constexpr int kPatientMilliseconds = 8000;
    EXPECT_TRUE(WaitForSteady([&] { return frame->isVisible() && frame->geometry().size() == chosen.size(); },
                        kPatientMilliseconds))
        << "came back at " << frame->geometry().width() << " x " << frame->geometry().height()
        << (frame->isMaximized() ? ", maximised" : "");
    EXPECT_FALSE(frame->isMaximized());
    if (!kestrel::frame::HasWindowManager()) {
        EXPECT_EQ(frame->geometry(), chosen);
    }
}

TEST_F(FramePlacementTest, DamagedOrOffScreenPlacementsOpenOnTheScreen)
{
    QSettings().setValue(kPlacementKey, QByteArray("not a placement"));
    {
        auto frame = CreateFrame();
        frame->ShowAtStart();
        EXPECT_TRUE(WaitForSteady([&] { return frame->isMaximized() && FillsWorkArea(*frame); }));
    }
    kestrel::frame::WindowPlacement away;
    away.frame = away.client = away.normal = QRect(5000, 4000, 800, 600);
    QSettings().setValue(kPlacementKey, kestrel::frame::WritePlacement(away));
    auto frame = CreateFrame();
    frame->ShowAtStart();
    WaitForSteady([&] { return frame->isVisible() && frame->screen()->availableGeometry().contains(frame->geometry()); });
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_TRUE(frame->screen()->availableGeometry().contains(frame->geometry())) << frame->geometry().x();
    EXPECT_EQ(frame->geometry().size(), QSize(800, 600));
}

TEST_F(FramePlacementTest, StartingInFullScreenOpensFullScreenAndOneKeyLeavesIt)
{
    {
        auto frame = CreateFrame();
        frame->ShowAtStart();
        EXPECT_TRUE(frame->isMaximized()); // at once, not only once the X server answered
        frame->SetFullScreen(true);
        frame->Bar(cmd::kCameraBar)->hide(); // the full-screen layout of this user
        frame->close();
    }
    auto frame = CreateFrame();
    frame->ShowAtStart();
    const QRect screen = frame->screen()->geometry();
    EXPECT_TRUE(WaitForSteady([&] { return frame->isFullScreen() && frame->geometry() == screen; }))
        << frame->geometry().width() << " x " << frame->geometry().height();
    EXPECT_TRUE(frame->IsFullScreen());
    EXPECT_TRUE(frame->Action(cmd::kFullScreen)->isChecked());
    EXPECT_FALSE(frame->Bar(cmd::kCameraBar)->isVisible());

    frame->Action(cmd::kFullScreen)->trigger(); // F11
    EXPECT_TRUE(WaitForSteady([&] { return !frame->isFullScreen() && frame->isMaximized() && FillsWorkArea(*frame); }))
        << frame->windowState().toInt() << " " << frame->geometry().width() << " x " << frame->geometry().height();
    EXPECT_FALSE(frame->IsFullScreen());
    EXPECT_FALSE(frame->Action(cmd::kFullScreen)->isChecked());
    EXPECT_TRUE(frame->Bar(cmd::kCameraBar)->isVisible());
}

} // namespace
