// The frame's toolbars, status bar and docking panels.
#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include "command_actions.h"
#include "command_ids.h"
#include "main_frame.h"
#include "preference_store.h"
#include "status_message.h"
#include "status_panes.h"
#include "theme_switcher.h"

namespace kestrel::frame {

using namespace kestrel::cmd;

namespace {

constexpr int kSeparator = 0;

QTabWidget* MakeTabs(QWidget* parent)
{
    auto* tabs = new QTabWidget(parent);
    tabs->setDocumentMode(true);
    tabs->setUsesScrollButtons(true);
    tabs->tabBar()->setExpanding(true); // centred texts
    tabs->setStyleSheet("QTabBar::tab:selected { font-weight: bold; }");
    return tabs;
}

QWidget* EmptyPage(const QString& name, QWidget* parent)
{
    // Filled by the panel's own code later; until then a plain page.
    auto* page = new QWidget(parent);
    page->setObjectName(name);
    return page;
}

} // namespace

QToolBar* CMainFrame::AddBar(int id, const QString& title, std::initializer_list<int> commands)
{
    QToolBar* bar = addToolBar(title);
    bar->setObjectName(QString("bar%1").arg(id));
    bar->setIconSize(QSize(16, 16));
    for (int command : commands) {
        if (command == kSeparator)
            bar->addSeparator();
        else if (QAction* a = Action(command))
            bar->addAction(a);
    }
    bars_.insert(id, bar);
    barOrder_ << bar;
    commandActions_->Watch(bar);
    toolbarsMenu_->addAction(bar->toggleViewAction());
    return bar;
}

bool CMainFrame::CreateToolbars()
{
    AddBar(kStandardBar, "Standard", {kFileNew, kFileOpen, kFileSave, kSeparator, kEditCut, kEditCopy, kEditPaste,
                                      kSeparator, kFilePrint, kSeparator, kSettings, kAbout});
    AddBar(kRenderModesBar, "Render Modes", {kMeshSolid, kMeshCelOutline, kMeshCelShaded, kMeshSmooth, kMeshFlat, kMeshShadedWireframe, kMeshWireframe, kMeshShadedVertices, kMeshVertices, kMeshBoundingBoxes,
                                             kSeparator, kGridTransparent, kAxes, kNormals, kBackFaces});

    // The animation feature puts its sequences combo in front, and its seek bar in the frames bar.
    AddBar(kAnimationBar, "Animation", {kPlay, kPause, kStop, kSeparator, kLoopBack, kLoopNext, kStepBack,
                                        kStepForward, kSeparator, kSlowDown, kSpeedUp});
    AddBar(kFramesBar, "Animation Frames", {});
    AddBar(kImageEditBar, "Image Edit", {kRotateLeft, kRotateRight, kFlipVertical, kFlipHorizontal, kSeparator, kGrayscale,
                                         kInvert, kNormalMap, kSeparator, kToggleAlpha, kSeparator, kFitWindow,
                                         kActualSize, kZoomIn, kZoomOut});
    AddBar(kCameraBar, "Camera Position", {kCameraFront, kCameraBack, kCameraTop, kCameraBottom, kCameraLeft, kCameraRight});
    AddBar(kFullScreenBar, "Full Screen", {kFullScreen});
    QToolBar* themeBar = AddBar(kThemeBar, "Theme", {});
    themes_ = new CThemeSwitcher(themeBar);
    themeBar->addWidget(themes_);
    return true;
}

void CMainFrame::CreateStatusBar()
{
    statusBar()->setObjectName(QString("bar%1").arg(kStatusBar));
    panes_ = new CStatusPanes(*statusBar(), *status_);
    QAction* toggle = new QAction("Status Bar", this);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    toolbarsMenu_->addAction(toggle);
}

void CMainFrame::CreatePanels()
{
    const auto panel = [this](int id, const QString& title, QWidget* content) {
        auto* dock = new QDockWidget(title, this);
        dock->setObjectName(QString("panel%1").arg(id));
        dock->setWidget(content);
        panels_.insert(id, dock);
        toolbarsMenu_->addAction(dock->toggleViewAction());
        return dock;
    };

    QDockWidget* fileList = panel(kFileListPanel, "File List", EmptyPage("fileListPage", this));
    addDockWidget(Qt::BottomDockWidgetArea, fileList);

    foldersTabs_ = MakeTabs(this);
    foldersTabs_->addTab(EmptyPage("browsePage", foldersTabs_), "Browse");
    foldersTabs_->setTabToolTip(0, "Browse folders");
    addDockWidget(Qt::LeftDockWidgetArea, panel(kFoldersPanel, "Folders", foldersTabs_));

    statisticsTabs_ = MakeTabs(this);
    statisticsTabs_->addTab(EmptyPage("objectsPage", statisticsTabs_), "Objects");
    statisticsTabs_->setTabToolTip(0, "Objects hierarchy tree");
    statisticsTabs_->addTab(EmptyPage("informationPage", statisticsTabs_), "Information");
    statisticsTabs_->setTabToolTip(1, "Detailed information");
    addDockWidget(Qt::RightDockWidgetArea, panel(kStatisticsPanel, "Statistics", statisticsTabs_));
}

void CMainFrame::EnableDocking()
{
    setDockOptions(AnimatedDocks | AllowNestedDocks | AllowTabbedDocks);
    for (QToolBar* bar : bars_)
        bar->setAllowedAreas(Qt::AllToolBarAreas);
    // The sequences combo is too wide for a side bar.
    Bar(kAnimationBar)->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    for (QDockWidget* dock : panels_) {
        dock->setAllowedAreas(Qt::AllDockWidgetAreas);
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                          QDockWidget::DockWidgetFloatable);
    }
}

void CMainFrame::HostInBar(int barId, QWidget* widget)
{
    QToolBar* bar = Bar(barId);
    if (!bar || !widget)
        return;
    const QList<QAction*> actions = bar->actions();
    bar->insertWidget(actions.isEmpty() ? nullptr : actions.first(), widget);
}

namespace {
// Puts a feature's widget in place of a tab's empty page, keeping its text and tip.
void ReplacePage(QTabWidget* tabs, int page, QWidget* widget)
{
    if (!tabs || !widget || page >= tabs->count())
        return;
    const int current = tabs->currentIndex();
    const QString text = tabs->tabText(page), tip = tabs->tabToolTip(page);
    QWidget* old = tabs->widget(page);
    tabs->removeTab(page);
    delete old;
    tabs->insertTab(page, widget, text);
    tabs->setTabToolTip(page, tip);
    tabs->setCurrentIndex(current);
}
} // namespace

void CMainFrame::SetStatisticsPage(StatisticsPage page, QWidget* widget)
{
    ReplacePage(statisticsTabs_, page, widget);
}

void CMainFrame::SetBrowsePage(QWidget* widget)
{
    ReplacePage(foldersTabs_, 0, widget);
}

void CMainFrame::SetFileListPage(QWidget* widget)
{
    QDockWidget* dock = Panel(kFileListPanel);
    if (!dock || !widget)
        return;
    QWidget* old = dock->widget();
    dock->setWidget(widget);
    delete old;
}

} // namespace kestrel::frame
