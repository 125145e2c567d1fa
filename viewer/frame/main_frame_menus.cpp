// The frame's commands and its menu bar.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "command_actions.h"
#include "command_ids.h"
#include "command_table.h"
#include "main_frame.h"
#include "recent_files.h"
#include "toolbar_icons.h"

namespace kestrel::frame {

using namespace kestrel::cmd;

namespace {
constexpr int kSeparator = 0;
}

void CMainFrame::CreateActions()
{
    for (const CommandInfo& c : CommandTable()) {
        auto* action = new QAction(c.text, this);
        action->setData(c.id);
        action->setObjectName(QString("command%1").arg(c.id));
        if (*c.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
        action->setStatusTip(c.tip);
        action->setToolTip(QString(c.text).remove('&').remove("..."));
        action->setCheckable(c.checkable);
        action->setIcon(CommandIcon(c.id));
        action->setIconVisibleInMenu(false);
        // Enabled and checked as the feature that registers the command decides.
        commandActions_->Bind(action);
        actions_.insert(c.id, action);
        // Keys keep working while the menu bar is hidden.
        addAction(action);
    }
}

QMenu* CMainFrame::Menu(const QString& title) const
{
    for (QMenu* menu : menus_)
        if (menu->title().remove('&') == title)
            return menu;
    return nullptr;
}

void CMainFrame::CreateMenus()
{
    const auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == kSeparator)
                menu->addSeparator();
            else if (QAction* a = Action(id))
                menu->addAction(a);
        }
    };
    const auto submenu = [this, add](QMenu* parent, const QString& title, std::initializer_list<int> ids) {
        QMenu* menu = parent->addMenu(title);
        menus_ << menu;
        add(menu, ids);
        return menu;
    };
    const auto top = [this](const QString& title) {
        QMenu* menu = menuBar()->addMenu(title);
        menus_ << menu;
        return menu;
    };

    // The plug-in popups go in at File position 5 and Tools positions 1 and 2.
    fileMenu_ = top("&File");
    add(fileMenu_, {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kRefreshFile, kSeparator, kFilePrint,
                    kFilePrintPreview, kFilePrintSetup, kSeparator});
    QAction* beforeExit = fileMenu_->addSeparator();
    add(fileMenu_, {kAppExit});
    recent_ = new CRecentFiles(*fileMenu_, beforeExit, this);
    connect(recent_, &CRecentFiles::Chosen, this, &CMainFrame::OpenFileRequested);

    QMenu* edit = top("&Edit");
    add(edit, {kEditCut, kEditCopy, kEditPaste, kSeparator, kRename, kDelete, kSeparator, kPreviousFile, kNextFile});

    QMenu* view = top("&View");
    toolbarsMenu_ = view->addMenu("&Toolbars and Panels");
    menus_ << toolbarsMenu_;
    menuBarToggle_ = new QAction("Toggle Menubar", this);
    menuBarToggle_->setCheckable(true);
    menuBarToggle_->setChecked(true);
    menuBarToggle_->setData(kMenuBar);
    connect(menuBarToggle_, &QAction::toggled, menuBar(), &QMenuBar::setVisible);
    toolbarsMenu_->addAction(menuBarToggle_);
    add(view, {kFullScreen, kSeparator});
    submenu(view, "&File List", {kLargeIcons, kSmallIcons, kList, kDetails, kThumbnails, kSeparator, kRefreshFolder,
                                 kUpOneLevel, kGenerateThumbnails});

    QMenu* display = top("&Display");
    submenu(display, "&Mesh", {kMeshOff, kSeparator, kMeshSolid, kMeshCelOutline, kMeshCelShaded, kMeshSmooth, kMeshFlat, kMeshShadedWireframe, kMeshWireframe, kMeshShadedVertices, kMeshVertices,
                               kMeshBoundingBoxes});
    submenu(display, "&Skeleton", {kSkeletonOff, kSeparator, kSkeletonLines, kSkeletonLinesAxes, kSkeletonWireframe, kSkeletonSolid});
    submenu(display, "Scene &Bounding Box", {kBoundingBoxOff, kSeparator, kBoundingBoxCorners, kBoundingBoxWireframe, kBoundingBoxTransparent});
    submenu(display, "&Grid", {kGridOff, kSeparator, kGridWireframe, kGridSolid, kGridTransparent});
    add(display, {kNormals, kAxes, kBackFaces, kSeparator, kDisplayCameras, kDisplayLights});
    submenu(display, "&Camera", {kCameraFront, kCameraBack, kCameraTop, kCameraBottom, kCameraLeft, kCameraRight});

    QMenu* animation = top("&Animation");
    add(animation, {kPlay, kPause, kStop, kPlayPause, kSeparator, kLoopBack, kLoopNext, kSeparator, kStepBack,
                    kStepForward, kFirstFrame, kLastFrame, kSeparator, kSpeedUp, kSlowDown, kSeparator, kRepeat});

    QMenu* image = top("&Image");
    add(image, {kRotateLeft, kRotateRight, kFlipVertical, kFlipHorizontal, kSeparator, kGrayscale, kInvert, kNormalMap,
                kSeparator, kToggleAlpha, kSeparator, kFitWindow, kActualSize, kZoomIn, kZoomOut});

    toolsMenu_ = top("&Tools");
    add(toolsMenu_, {kSettings, kSeparator, kSnapClipboard, kSnapFile, kRecordAvi});

    QMenu* help = top("&Help");
    add(help, {kHelpMail, kHelpWeb, kHelpModeller, kSeparator, kAbout});

    // Every menu, the popups included, shows the states of now.
    for (QMenu* menu : menus_)
        commandActions_->Watch(menu);
}

QMenu* CMainFrame::createPopupMenu()
{
    QMenu* menu = QMainWindow::createPopupMenu();
    if (!menu)
        menu = new QMenu(this);
    menu->insertAction(menu->actions().value(0), menuBarToggle_);
    return menu;
}

} // namespace kestrel::frame
