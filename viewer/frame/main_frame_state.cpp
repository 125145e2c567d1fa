// What the frame keeps between runs: bar layouts of both modes, the full-screen flag, the
// theme, the panels' pages; and full-screen mode itself.
#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include "command_ids.h"
#include "main_frame.h"
#include "preference_store.h"
#include "theme_switcher.h"

namespace kestrel::frame {

namespace {

// Layout sections are named after the profile, as "Kestrel\BarPos-Normal".
QString Section(const char* name)
{
    return QCoreApplication::applicationName() + "/" + name;
}

constexpr const char* kNormalBars = "BarPos-Normal";
constexpr const char* kFullScreenBars = "BarPos-FullScreen";

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

void CMainFrame::LoadBars(const QString& section)
{
    QSettings store;
    store.beginGroup(section);
    const QByteArray state = store.value("State").toByteArray();
    if (!state.isEmpty())
        restoreState(state);
    menuBarToggle_->setChecked(store.value("MenuBar", true).toBool());
    statusBar()->setVisible(store.value("StatusBar", true).toBool());
}

void CMainFrame::LoadPersonalSettings()
{
    plugInMenus_.Build(*fileMenu_, *toolsMenu_, *plugIns_, [this](int id) { RunPlugInCommand(id); });
    for (QAction* command : plugInMenus_.Commands())
        actions_.insert(command->data().toInt(), command);

    QSettings store;
    themes_->Select(store.value(Section("Theme") + "/Name").toString());
    if (store.value("FullScreen/IsFullScreen", 0).toInt() != 0) {
        SetFullScreen(true, false);
    } else {
        LoadBars(Section(kNormalBars));
        const QByteArray placement = store.value(Section(kNormalBars) + "/Placement").toByteArray();
        if (!placement.isEmpty())
            restoreGeometry(placement);
    }
    SelectPage(foldersTabs_, preferences_->State().foldersPage);
    SelectPage(statisticsTabs_, preferences_->State().statisticsPage);
}

void CMainFrame::SetFullScreen(bool on, bool saveBars)
{
    if (on == fullScreen_)
        return;
    if (on) {
        // A window not shown yet opens maximised when full screen is left.
        normalMaximized_ = !isVisible() || isMaximized();
        normalGeometry_ = saveGeometry();
        fullScreen_ = true;
        if (saveBars) {
            SaveBars(Section(kNormalBars));
            QSettings().setValue(Section(kNormalBars) + "/Placement", normalGeometry_);
        }
        LoadBars(Section(kFullScreenBars));
        showFullScreen();
    } else {
        fullScreen_ = false;
        if (saveBars)
            SaveBars(Section(kFullScreenBars));
        showNormal();
        if (!normalGeometry_.isEmpty())
            restoreGeometry(normalGeometry_);
        if (normalMaximized_)
            showMaximized();
        LoadBars(Section(kNormalBars));
    }
    if (QAction* a = Action(cmd::kFullScreen))
        a->setChecked(fullScreen_);
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

    for (QAction* command : plugInMenus_.Commands())
        actions_.remove(command->data().toInt());
    plugInMenus_.Remove();

    if (QToolBar* animation = Bar(cmd::kAnimationBar); animation && animation->isFloating())
        addToolBar(Qt::TopToolBarArea, animation);

    QSettings store;
    store.setValue("FullScreen/IsFullScreen", fullScreen_ ? 1 : 0);
    SaveBars(Section(fullScreen_ ? kFullScreenBars : kNormalBars));
    if (!fullScreen_)
        store.setValue(Section(kNormalBars) + "/Placement", saveGeometry());
    if (themes_)
        store.setValue(Section("Theme") + "/Name", themes_->Current());
}

} // namespace kestrel::frame
