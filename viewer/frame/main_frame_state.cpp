// What the frame keeps between runs: bar layouts of both modes, the full-screen flag, the
// theme, the panels' pages; and full-screen mode itself.
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include "command_ids.h"
#include "main_frame.h"
#include "preference_store.h"
#include "theme_switcher.h"
#include "toolbar_rows.h"
#include "window_manager.h"

namespace kestrel::frame {

namespace {

// Layout sections are named after the profile, as "Kestrel\BarPos-Normal".
QString Section(const char* name)
{
    return QCoreApplication::applicationName() + "/" + name;
}

constexpr const char* kNormalBars = "BarPos-Normal";
constexpr const char* kFullScreenBars = "BarPos-FullScreen";
constexpr const char* kPlacement = "/Placement";

void SelectPage(QTabWidget* tabs, int page)
{
    if (tabs && page >= 0 && page < tabs->count())
        tabs->setCurrentIndex(page);
}

} // namespace

void CMainFrame::SaveBars(const QString& section)
{
    QSettings store;
    store.beginGroup(section);
    store.setValue("State", saveState());
    store.setValue("MenuBar", menuBar()->isVisible() || !isVisible());
    store.setValue("StatusBar", statusBar()->isVisible() || !isVisible());
}

bool CMainFrame::LoadBars(const QString& section)
{
    QSettings store;
    store.beginGroup(section);
    const QByteArray state = store.value("State").toByteArray();
    const bool restored = !state.isEmpty() && restoreState(state);
    menuBarToggle_->setChecked(store.value("MenuBar", true).toBool());
    statusBar()->setVisible(store.value("StatusBar", true).toBool());
    return restored;
}

void CMainFrame::ArrangeDefaultBars(int width)
{
    std::vector<int> widths;
    for (QToolBar* bar : barOrder_) {
        removeToolBarBreak(bar);
        bar->ensurePolished();
        widths.push_back(bar->sizeHint().width());
    }
    for (int start : ToolbarRowStarts(widths, width))
        insertToolBarBreak(barOrder_[start]);
}

QList<ScreenArea> CMainFrame::Screens() const
{
    QList<ScreenArea> areas;
    for (const QScreen* s : QGuiApplication::screens())
        areas << ScreenArea{s->geometry(), s->availableGeometry()};
    return areas;
}

int CMainFrame::CurrentScreen() const
{
    return qMax(0, int(QGuiApplication::screens().indexOf(screen())));
}

QRect CMainFrame::NormalRect() const
{
    if (!isVisible() || fullScreen_)
        return normalGeometry_;
    if (!isMaximized())
        return geometry();
    return windowManager_ ? normalGeometry() : normalGeometry_;
}

bool CMainFrame::NormalMaximized() const
{
    return !isVisible() || fullScreen_ ? normalMaximized_ : isMaximized();
}

WindowPlacement CMainFrame::NormalPlacement() const
{
    WindowPlacement p;
    p.normal = NormalRect();
    p.maximized = NormalMaximized();
    const bool live = isVisible() && !fullScreen_;
    p.frame = live ? frameGeometry() : p.normal;
    p.client = live ? geometry() : p.normal;
    p.screenNumber = CurrentScreen();
    p.screenWidth = screen() ? screen()->geometry().width() : 0;
    return p;
}

void CMainFrame::Apply(const PlacementPlan& plan)
{
    const auto inNormalState = [this] { return !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)); };
    // Rectangles go in before the state: Qt drops the state of a maximised or full-screen
    // window that is resized.
    switch (plan.mode) {
    case WindowMode::Normal:
        // Leaving the state, a window manager puts back a rectangle of its own: ours after it.
        if (!inNormalState())
            showNormal();
        setGeometry(plan.normal);
        show();
        break;
    case WindowMode::Maximized:
    case WindowMode::FullScreen:
        if (plan.bareGeometry && !inNormalState())
            showNormal();
        // Without a window manager the window fills the area itself; with one, the normal
        // rectangle goes in first so that un-maximising returns to it.
        if (plan.bareGeometry)
            setGeometry(*plan.bareGeometry);
        else if (inNormalState())
            setGeometry(plan.normal);
        if (plan.mode == WindowMode::Maximized)
            showMaximized();
        else
            showFullScreen();
        break;
    }
    normalGeometry_ = plan.normal;
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Qt reads the state property back when it hears of a change to it, possibly late: it has
    // to say what the window is now, whoever changed the state.
    if (event->type() == QEvent::WindowStateChange && !windowManager_ && testAttribute(Qt::WA_WState_Created) &&
        QGuiApplication::platformName() == QLatin1String("xcb"))
        RecordUnmanagedWindowState(winId(), isMaximized(), isFullScreen());
}

void CMainFrame::ShowAtStart()
{
    windowManager_ = HasWindowManager();
    const WindowMode mode = fullScreen_ ? WindowMode::FullScreen
                            : normalMaximized_ ? WindowMode::Maximized
                                               : WindowMode::Normal;
    Apply(PlanMode(mode, normalGeometry_, Screens(), CurrentScreen(), windowManager_));
}

void CMainFrame::LoadPersonalSettings()
{
    BuildPlugInMenus();

    QSettings store;
    themes_->Select(store.value(Section("Theme") + "/Name").toString());

    // Where normal mode goes; the window shows there, or full screen, in ShowAtStart.
    windowManager_ = HasWindowManager();
    const QList<ScreenArea> screens = Screens();
    const PlacementPlan start =
        PlanStart(ReadPlacement(store.value(Section(kNormalBars) + kPlacement).toByteArray()), screens, CurrentScreen(),
                  windowManager_);
    normalGeometry_ = start.normal;
    normalMaximized_ = start.mode == WindowMode::Maximized;

    const bool fullScreen = store.value("FullScreen/IsFullScreen", 0).toInt() != 0;
    const QRect room = screens.isEmpty() ? start.normal
                       : fullScreen      ? screens[start.screen].full
                       : normalMaximized_ ? screens[start.screen].available
                                          : start.normal;
    // The first start has no layout: the bars go in rows that fit. Full screen starts from
    // the normal layout when it has none of its own.
    if (!LoadBars(Section(kNormalBars)))
        ArrangeDefaultBars(room.width());
    if (fullScreen)
        SetFullScreen(true, false);
    SelectPage(foldersTabs_, preferences_->State().foldersPage);
    SelectPage(statisticsTabs_, preferences_->State().statisticsPage);
}

void CMainFrame::SetFullScreen(bool on, bool saveBars)
{
    if (on == fullScreen_)
        return;
    // A window not shown yet only takes the mode; ShowAtStart places it.
    const bool shown = isVisible();
    if (on) {
        normalGeometry_ = NormalRect();
        normalMaximized_ = NormalMaximized();
        fullScreen_ = true;
        if (saveBars) {
            SaveBars(Section(kNormalBars));
            QSettings().setValue(Section(kNormalBars) + kPlacement, WritePlacement(NormalPlacement()));
        }
        LoadBars(Section(kFullScreenBars));
        if (shown) {
            windowManager_ = HasWindowManager();
            Apply(PlanMode(WindowMode::FullScreen, normalGeometry_, Screens(), CurrentScreen(), windowManager_));
        }
    } else {
        fullScreen_ = false;
        if (saveBars)
            SaveBars(Section(kFullScreenBars));
        if (shown) {
            windowManager_ = HasWindowManager();
            Apply(PlanMode(normalMaximized_ ? WindowMode::Maximized : WindowMode::Normal, normalGeometry_, Screens(),
                           CurrentScreen(), windowManager_));
        }
        if (!LoadBars(Section(kNormalBars)))
            ArrangeDefaultBars(width());
    }
    RefreshCommands();
    update();
}

void CMainFrame::SaveState()
{
    if (stateSaved_)
        return;
    stateSaved_ = true;
    prefs::StateBlock& state = preferences_->State();
    state.statisticsPage = uint8_t(qMax(0, statisticsTabs_ ? statisticsTabs_->currentIndex() : 0));
    state.foldersPage = uint8_t(qMax(0, foldersTabs_ ? foldersTabs_->currentIndex() : 0));
    emit SavingState();
    preferences_->SaveState();

    RemovePlugInMenus();

    if (QToolBar* animation = Bar(cmd::kAnimationBar); animation && animation->isFloating())
        addToolBar(Qt::TopToolBarArea, animation);

    QSettings store;
    store.setValue("FullScreen/IsFullScreen", fullScreen_ ? 1 : 0);
    SaveBars(Section(fullScreen_ ? kFullScreenBars : kNormalBars));
    if (!fullScreen_)
        store.setValue(Section(kNormalBars) + kPlacement, WritePlacement(NormalPlacement()));
    if (themes_)
        store.setValue(Section("Theme") + "/Name", themes_->Current());
}

} // namespace kestrel::frame
