#include <QAction>
#include <QUrl>
#include <QListWidget>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>

#include "about_dialog.h"
#include "command_ids.h"
#include "nimbus/model.h"
#include "frame_document.h"
#include "frame_test_support.h"
#include "gui_test_env.h"
#include "main_frame.h"
#include "recent_files.h"
#include "plugin_manager.h"
#include "preference_store.h"
#include "settings_dialog.h"
#include "splash_window.h"
#include "status_message.h"
#include "status_panes.h"
#include "theme_switcher.h"
#include "toolbar_icons.h"

using kestrel::frame::CMainFrame;
namespace cmd = kestrel::cmd;

namespace {

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override { kestrel::test::ClearSettings(); }

    std::unique_ptr<CMainFrame> Start(const QString& plugIns = KESTREL_PLUGIN_FOLDER)
    {
        auto frame = std::make_unique<CMainFrame>(CMainFrame::Options{plugIns, false});
        QObject::connect(frame.get(), &CMainFrame::CreationStep, [this](const QString& s) { steps << s; });
        EXPECT_TRUE(frame->Create());
        return frame;
    }

    QStringList steps;
};

QStringList Texts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << a->text();
    return texts;
}

QList<int> Ids(const QMenu* menu)
{
    QList<int> ids;
    for (const QAction* a : menu->actions())
        ids << a->data().toInt();
    return ids;
}

TEST_F(MainFrameTest, CreationRunsItsStepsInOrder)
{
    auto frame = Start();
    EXPECT_EQ(steps, QStringList({"Registering Plug-Ins...", "Loading Preferences...", "Initializing Command Manager...",
                                  "Initializing Menu...", "Initializing Toolbars...", "Initializing Status Bar...",
                                  "Initializing File List Panel...", "Initializing Folders Panel...",
                                  "Initializing Statistics Panel...", "Docking panels and toolbars...",
                                  "Loading personalized settings...", "Initializing application threads...",
                                  "Finalizing startup..."}));
    // First run: the default records are stored.
    EXPECT_TRUE(kestrel::settings::CPreferenceStore().Load());
}

TEST_F(MainFrameTest, SplashShowsTheStartTextsAndIgnoresRepeats)
{
    kestrel::frame::CSplashWindow splash;
    EXPECT_EQ(splash.StatusText(), "Initializing ...");
    EXPECT_EQ(splash.windowTitle(), "Kestrel initizlizing ...");
    EXPECT_EQ(kestrel::frame::CSplashWindow::ProgramVersionText(), "Version 3.2.0 build 461");
    splash.SetVersionText(kestrel::frame::CSplashWindow::ProgramVersionText());
    splash.show();
    splash.SetStatusText("Loading Preferences...");
    EXPECT_EQ(splash.StatusText(), "Loading Preferences...");
    EXPECT_EQ(splash.VersionText(), "Version 3.2.0 build 461");
}

TEST_F(MainFrameTest, PlugInMenusHoldThePlugInsOfTheBuildTree)
{
    auto frame = Start();
    const auto& manager = frame->PlugIns();
    ASSERT_FALSE(manager.Exporters().empty());
    ASSERT_FALSE(manager.Tools().empty());

    // "3D Export" is the sixth entry of the File menu; "3D Edit" and "Other Tools" follow Settings.
    QMenu* file = frame->Menu("File");
    QMenu* tools = frame->Menu("Tools");
    ASSERT_TRUE(file && tools);
    EXPECT_EQ(file->actions().at(5)->menu(), frame->PlugInMenus().Exporters());
    EXPECT_EQ(tools->actions().at(1)->menu(), frame->PlugInMenus().Editors());
    EXPECT_EQ(tools->actions().at(2)->menu(), frame->PlugInMenus().Tools());
    EXPECT_EQ(file->actions().at(5)->text(), "3D &Export");
    EXPECT_EQ(tools->actions().at(1)->text(), "3D &Edit");
    EXPECT_EQ(tools->actions().at(2)->text(), "Other &Tools");

    // Ids from 32856: exporters, then editors, then tools, each named after its plug-in.
    QList<int> expectedIds;
    QStringList expectedNames;
    int id = cmd::kFirstPlugIn;
    for (const auto* list : {&manager.Exporters(), &manager.Editors(), &manager.Tools()})
        for (const auto& e : *list) {
            expectedIds << id++;
            expectedNames << QString::fromStdString(e.name);
        }
    QList<int> ids;
    QStringList names;
    for (QMenu* popup : {frame->PlugInMenus().Exporters(), frame->PlugInMenus().Editors(), frame->PlugInMenus().Tools()})
        for (QAction* a : popup->actions())
            if (a->text() != "(empty)") {
                ids << a->data().toInt();
                names << a->text();
                EXPECT_EQ(a->statusTip(), a->text());
                EXPECT_TRUE(a->isEnabled());
            }
    EXPECT_EQ(ids, expectedIds);
    EXPECT_EQ(names, expectedNames);
    EXPECT_EQ(frame->Action(cmd::kFirstPlugIn)->text(), expectedNames.first());
}

TEST_F(MainFrameTest, AMissingPlugInFolderStartsWithEmptyMenus)
{
    auto frame = Start("/nonexistent/Plug-Ins");
    EXPECT_EQ(frame->PlugIns().Count(), 0);
    const struct {
        QMenu* popup;
        int id;
        const char* tip;
    } popups[] = {{frame->PlugInMenus().Exporters(), cmd::kNoExporters, "No exporters available"},
                  {frame->PlugInMenus().Editors(), cmd::kNoEditors, "No editors available"},
                  {frame->PlugInMenus().Tools(), cmd::kNoTools, "No tools available"}};
    for (const auto& p : popups) {
        ASSERT_NE(p.popup, nullptr);
        EXPECT_EQ(Texts(p.popup), QStringList({"(empty)"}));
        EXPECT_EQ(Ids(p.popup), QList<int>({p.id}));
        EXPECT_EQ(p.popup->actions().first()->statusTip(), p.tip);
    }
}

TEST_F(MainFrameTest, CommandsCarryTheirKeysAndLaterCommandsWaitDisabled)
{
    auto frame = Start("/nonexistent");
    const std::pair<int, const char*> keys[] = {
        {cmd::kFullScreen, "F11"}, {cmd::kSettings, "Ctrl+Alt+S"}, {cmd::kSnapClipboard, "F7"}, {cmd::kSnapFile, "F8"},
        {cmd::kMeshSolid, "Alt+1"}, {32795, "Alt+2"}, {32792, "Alt+3"}, {32791, "Alt+4"}, {32789, "Alt+5"},
        {32788, "Alt+6"}, {32785, "Alt+7"}, {cmd::kFileSave, "Ctrl+S"}, {cmd::kRefreshFile, "Ctrl+F5"},
        {cmd::kRefreshFolder, "F5"}, {cmd::kRename, "F2"}, {cmd::kDelete, "Del"}, {cmd::kPreviousFile, "Alt+Left"},
        {cmd::kNextFile, "Alt+Right"}};
    for (const auto& [id, key] : keys) {
        ASSERT_NE(frame->Action(id), nullptr) << id;
        EXPECT_EQ(frame->Action(id)->shortcut(), QKeySequence(key)) << id;
    }
    EXPECT_TRUE(frame->Action(cmd::kSettings)->isEnabled());
    EXPECT_TRUE(frame->Action(cmd::kAbout)->isEnabled());
    EXPECT_FALSE(frame->Action(cmd::kPlay)->isEnabled());
    EXPECT_FALSE(frame->Action(cmd::kRotateLeft)->isEnabled());

    for (int bar : {cmd::kStandardBar, cmd::kRenderModesBar, cmd::kAnimationBar, cmd::kFramesBar, cmd::kImageEditBar,
                    cmd::kCameraBar, cmd::kFullScreenBar, cmd::kThemeBar})
        EXPECT_NE(frame->Bar(bar), nullptr) << bar;
    EXPECT_EQ(frame->Bar(cmd::kFramesBar)->windowTitle(), "Animation Frames");
    EXPECT_EQ(frame->Panel(cmd::kFileListPanel)->windowTitle(), "File List");
    EXPECT_EQ(kestrel::test::PanelTabs(*frame, cmd::kFoldersPanel)->tabText(0), "Browse");
    EXPECT_EQ(kestrel::test::PanelTabs(*frame, cmd::kStatisticsPanel)->tabText(1), "Information");
    EXPECT_EQ(frame->Panes().Label(59146)->text(), "Animation Speed: 1.00");
    EXPECT_FALSE(frame->Panes().Label(59147)->isEnabled());
    EXPECT_EQ(frame->Panes().Label(59148)->text(), "FPS: 0.00");
}

// A document whose model no plug-in command can find.
class FakeDocument : public kestrel::frame::IFrameDocument {
public:
    CModel& PlugInModel() override { return model; }
    void ModelChanged() override { ++changed; }
    void RedrawViews() override { ++redraws; }
    CModel model;
    int changed = 0, redraws = 0;
};

TEST_F(MainFrameTest, AFailedPlugInCommandIsReportedInTheStatusBar)
{
    auto frame = Start("/nonexistent");
    FakeDocument document;
    frame->SetDocument(&document);
    frame->RunPlugInCommand(cmd::kFirstPlugIn);
    EXPECT_EQ(frame->Status().Text(), "Operation failed!");
    EXPECT_EQ(frame->Status().Severity(), 2);
    EXPECT_EQ(frame->Panes().Label(59145)->text(), "Operation failed!");
    EXPECT_FALSE(frame->Panes().SeverityIcon()->pixmap().isNull());
    EXPECT_EQ(document.redraws, 1);
    EXPECT_EQ(document.changed, 0);

    frame->Status().Set("", 3);
    EXPECT_EQ(frame->Status().Severity(), 0);
    EXPECT_TRUE(frame->Panes().SeverityIcon()->pixmap().isNull());
}

TEST_F(MainFrameTest, FullScreenAndBackRestoresTheLayout)
{
    auto frame = Start("/nonexistent");
    frame->resize(900, 600);
    frame->show();
    QApplication::processEvents();
    QToolBar* camera = frame->Bar(cmd::kCameraBar);
    QToolBar* image = frame->Bar(cmd::kImageEditBar);
    image->hide();
    const QRect normal = frame->geometry();

    frame->SetFullScreen(true);
    QApplication::processEvents();
    EXPECT_TRUE(frame->IsFullScreen());
    EXPECT_TRUE(frame->Action(cmd::kFullScreen)->isChecked());
    EXPECT_TRUE(frame->isFullScreen());
    // Also where no window manager acts on the state.
    EXPECT_EQ(frame->geometry(), frame->screen()->geometry());
    // The full-screen layout is its own.
    camera->hide();
    frame->statusBar()->hide();

    frame->SetFullScreen(false);
    QApplication::processEvents();
    EXPECT_FALSE(frame->isFullScreen());
    EXPECT_TRUE(camera->isVisible());
    EXPECT_FALSE(image->isVisible());
    EXPECT_TRUE(frame->statusBar()->isVisible());
    EXPECT_EQ(frame->geometry().size(), normal.size());
    EXPECT_FALSE(frame->isMaximized());

    // The full-screen layout is remembered for next time.
    frame->SetFullScreen(true);
    QApplication::processEvents();
    EXPECT_FALSE(camera->isVisible());
    EXPECT_FALSE(frame->statusBar()->isVisible());
    frame->SetFullScreen(false);
}

TEST_F(MainFrameTest, ClosingRemembersFullScreenAndPanelPagesForTheNextStart)
{
    {
        auto frame = Start("/nonexistent");
        frame->show();
        kestrel::test::PanelTabs(*frame, cmd::kStatisticsPanel)->setCurrentIndex(1);
        frame->SetFullScreen(true);
        frame->close();
        EXPECT_EQ(QSettings().value("FullScreen/IsFullScreen").toInt(), 1);
        EXPECT_TRUE(frame->PlugInMenus().Commands().isEmpty());
        EXPECT_EQ(frame->PlugInMenus().Tools(), nullptr);
    }
    auto frame = Start("/nonexistent");
    EXPECT_TRUE(frame->IsFullScreen());
    EXPECT_EQ(kestrel::test::PanelTabs(*frame, cmd::kStatisticsPanel)->currentIndex(), 1);
    frame->SetFullScreen(false);
    frame->close();
    EXPECT_EQ(QSettings().value("FullScreen/IsFullScreen").toInt(), 0);
}

TEST_F(MainFrameTest, ScreenshotOfTheMainWindow)
{
    auto frame = Start();
    frame->resize(1200, 800);
    frame->show();
    frame->Status().Set("Model loaded in 0.042 seconds", 1);
    QApplication::processEvents();
    const QString file = kestrel::test::OutputFolder() + "/main_window.png";
    ASSERT_TRUE(frame->grab().save(file));
    EXPECT_FALSE(QImage(file).isNull());
}

TEST_F(MainFrameTest, AboutBoxShowsTheGlDriverAndItsExtensions)
{
    const kestrel::frame::GlDescription gl = kestrel::frame::DescribeGl();
    if (!gl.valid)
        GTEST_SKIP() << "no OpenGL context on this platform";
    EXPECT_FALSE(gl.vendor.isEmpty());
    EXPECT_FALSE(gl.renderer.isEmpty());
    EXPECT_GT(gl.extensions.size(), 10);
    EXPECT_TRUE(gl.extensions.contains("GL_ARB_multisample"));
    kestrel::frame::CAboutDialog about(gl);
    EXPECT_EQ(about.Vendor()->text(), gl.vendor);
    EXPECT_EQ(about.Version()->text(), gl.version);
    EXPECT_EQ(about.Extensions()->toPlainText().split('\n'), gl.extensions);
    EXPECT_NE(about.findChild<QLabel*>("versionText"), nullptr);
    EXPECT_EQ(about.findChild<QLabel*>("versionText")->text(), "Kestrel Version 3.2.0.461");
}

TEST_F(MainFrameTest, ScreenshotOfTheSettingsDialog)
{
    auto frame = Start();
    kestrel::settings::CSettingsDialog dialog(frame->Preferences(), frame->PlugIns(), {}, frame.get());
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(kestrel::test::OutputFolder() + "/settings_colors.png"));
    dialog.PageList()->setCurrentRow(2);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(kestrel::test::OutputFolder() + "/settings_plugins.png"));
    dialog.reject();
}

TEST_F(MainFrameTest, DroppedFilesAndRecentFilesAskForAnOpen)
{
    auto frame = Start("/nonexistent");
    QStringList requested;
    QObject::connect(frame.get(), &CMainFrame::OpenFileRequested, [&](const QString& path) { requested << path; });

    frame->OpenDropped({QUrl("https://example.org/x.stl"), QUrl::fromLocalFile("/models/a.ms3d"),
                        QUrl::fromLocalFile("/models/b.stl")});
    EXPECT_EQ(requested, QStringList({"/models/a.ms3d"})); // one document at a time

    // Ten entries, newest first, each once; kept for the next start.
    for (int i = 0; i < 12; ++i)
        frame->RecentFiles().Add(QString("/models/m%1.ms3d").arg(i));
    frame->RecentFiles().Add("/models/m5.ms3d");
    const QStringList files = frame->RecentFiles().Files();
    ASSERT_EQ(files.size(), 10);
    EXPECT_EQ(files.first(), "/models/m5.ms3d");
    EXPECT_EQ(files.last(), "/models/m2.ms3d");
    EXPECT_EQ(files.count("/models/m5.ms3d"), 1);

    auto next = Start("/nonexistent");
    EXPECT_EQ(next->RecentFiles().Files(), files);
    QAction* first = nullptr;
    for (QAction* a : next->Menu("File")->actions())
        if (a->data().toInt() == kestrel::cmd::kFileRecent)
            first = a;
    ASSERT_NE(first, nullptr);
    QObject::connect(next.get(), &CMainFrame::OpenFileRequested, [&](const QString& path) { requested << path; });
    first->trigger();
    EXPECT_EQ(requested.last(), "/models/m5.ms3d");
}

TEST_F(MainFrameTest, TheChosenThemeComesBackAndIconsSuitHighDensityScreens)
{
    {
        auto frame = Start("/nonexistent");
        EXPECT_EQ(frame->Themes()->Current(), "Obsidian"); // nothing stored yet
        frame->Themes()->Select("Silver");
        frame->close();
    }
    auto frame = Start("/nonexistent");
    EXPECT_EQ(frame->Themes()->Current(), "Silver");
    frame->Themes()->Select("no such theme");
    EXPECT_EQ(frame->Themes()->Current(), "Obsidian");

    for (int id : {kestrel::cmd::kPlay, kestrel::cmd::kMeshSolid, kestrel::cmd::kRotateLeft, kestrel::cmd::kFullScreen}) {
        const QList<QSize> sizes = kestrel::frame::CommandIcon(id).availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32))) << id;
    }
    for (int severity : {1, 2, 3})
        EXPECT_FALSE(kestrel::frame::SeverityIcon(severity).isNull());
    EXPECT_TRUE(kestrel::frame::SeverityIcon(0).isNull());
}

} // namespace
