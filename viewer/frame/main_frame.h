#pragma once
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "command_registry.h"
#include "plugin_menus.h"
#include "window_placement.h"

class QDockWidget;
class QTabWidget;
class QToolBar;
class QUrl;

namespace kestrel::host {
class CPlugInManager;
}
namespace kestrel::settings {
class CPreferenceStore;
}
namespace kestrel::commands {
class CCommandActions;
}

namespace kestrel::frame {

class CSplashWindow;
class CStatusMessage;
class CStatusPanes;
class CThemeSwitcher;
class CRecentFiles;
class IFrameDocument;

// The main window: menus, toolbars, status bar, the docking panels, full-screen mode, and the
// plug-in manager and preference store it owns. The central view is plugged in from outside.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        QString plugInFolder;   // empty: "Plug-Ins" beside the program
        bool showSplash = true;
    };

    CMainFrame();
    explicit CMainFrame(Options options);
    ~CMainFrame() override;

    // Runs the start-up sequence behind the splash window; false when the frame cannot start.
    bool Create();
    // Shows the window as the last run left it (maximised at the first start), or full screen.
    void ShowAtStart();

    // The window's central widget (the document's view); a placeholder until one is set.
    void SetCentralView(QWidget* view);
    QWidget* CentralView() const { return centralWidget(); }
    // The document plug-in commands run on; null when none is open.
    void SetDocument(IFrameDocument* document) { document_ = document; }

    // What the commands do: features register their ids here. The frame's actions run them
    // and take their enabled and checked states in one pass, RefreshCommands.
    commands::CCommandRegistry& Commands() { return commands_; }
    void RefreshCommands();

    QAction* Action(int commandId) const { return actions_.value(commandId); }
    QMenu* Menu(const QString& title) const; // by its text without "&"
    QToolBar* Bar(int barId) const { return bars_.value(barId); }
    QDockWidget* Panel(int panelId) const { return panels_.value(panelId); }
    // A feature's widget at the front of one of the bars (the sequences combo, the frames
    // seek bar); the bar takes it over.
    void HostInBar(int barId, QWidget* widget);
    // The pages of the statistics panel, which their feature creates and fills; the frame
    // keeps the tab's text, tip and the page the user last chose.
    enum StatisticsPage { kObjectsPage = 0, kInformationPage = 1 };
    void SetStatisticsPage(StatisticsPage page, QWidget* widget);
    // The "Folders" panel's "Browse" page; the frame owns the widget from here on.
    void SetBrowsePage(QWidget* widget);
    // The "File List" panel's content; the frame owns the widget from here on.
    void SetFileListPage(QWidget* widget);
    CThemeSwitcher* Themes() const { return themes_; }
    CStatusPanes& Panes() const { return *panes_; }
    const CPlugInMenus& PlugInMenus() const { return plugInMenus_; }
    CRecentFiles& RecentFiles() const { return *recent_; }

    host::CPlugInManager& PlugIns() const { return *plugIns_; }
    settings::CPreferenceStore& Preferences() const { return *preferences_; }
    CStatusMessage& Status() const { return *status_; }

    // Full-screen mode; `saveBars` stores the layout of the mode being left.
    void SetFullScreen(bool on, bool saveBars = true);
    bool IsFullScreen() const { return fullScreen_; }

    // Runs an exporter, editor or tool on the document's model and reports the outcome.
    void RunPlugInCommand(int commandId);
    // Opens the settings dialog (modal).
    void ShowSettings();
    void ShowAbout();
    // Files dropped on the window: the first local file opens, like File Open.
    void OpenDropped(const QList<QUrl>& urls);
    // Remembers the state of the window in the settings; runs once, when the window closes.
    void SaveState();

signals:
    // The frame's creation reached a step (the splash window's text).
    void CreationStep(const QString& text);
    // A file should be opened: the command line, a dropped file, the recent-file list.
    void OpenFileRequested(const QString& path);
    // Settings were applied or accepted: views take their background colour again.
    void SettingsApplied();
    // A plug-in ran: 1 the model changed, 2 redraw only, 0 or -1 failed.
    void PlugInFinished(int result);
    // The window is closing: panels store their state into the preference store now.
    void SavingState();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void Step(const QString& text);
    void CreateActions();
    void CreateMenus();
    bool CreateToolbars();
    void CreateStatusBar();
    void CreatePanels();
    void EnableDocking();
    void LoadPersonalSettings();
    void RaiseThreadPriority();
    void RegisterFrameCommands();
    void BuildPlugInMenus();
    void RemovePlugInMenus();
    QToolBar* AddBar(int id, const QString& title, std::initializer_list<int> commands);
    void SaveBars(const QString& section);
    // False when the section holds no layout yet.
    bool LoadBars(const QString& section);
    // The first layout: the bars in rows that fit the window's width.
    void ArrangeDefaultBars(int width);
    QList<ScreenArea> Screens() const;
    int CurrentScreen() const;
    void Apply(const PlacementPlan& plan);
    // Normal mode's rectangle and state, also while maximised or full screen.
    QRect NormalRect() const;
    bool NormalMaximized() const;
    WindowPlacement NormalPlacement() const;

    Options options_;
    std::unique_ptr<host::CPlugInManager> plugIns_;
    std::unique_ptr<settings::CPreferenceStore> preferences_;
    CStatusMessage* status_ = nullptr;
    CStatusPanes* panes_ = nullptr;
    CRecentFiles* recent_ = nullptr;
    IFrameDocument* document_ = nullptr;
    QPointer<CSplashWindow> splash_;
    commands::CCommandRegistry commands_;
    commands::CCommandActions* commandActions_ = nullptr;
    QHash<int, QAction*> actions_;
    QHash<int, QToolBar*> bars_;
    QHash<int, QDockWidget*> panels_;
    QList<QMenu*> menus_;
    QMenu* fileMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QMenu* toolbarsMenu_ = nullptr;
    QTabWidget* foldersTabs_ = nullptr;
    QTabWidget* statisticsTabs_ = nullptr;
    CThemeSwitcher* themes_ = nullptr;
    QAction* menuBarToggle_ = nullptr;
    CPlugInMenus plugInMenus_;
    bool fullScreen_ = false;
    bool windowManager_ = true;
    QList<QToolBar*> barOrder_;
    // Normal mode's placement while it is not on screen (before the first show, in full
    // screen), and while maximised without a window manager, where Qt does not keep it.
    QRect normalGeometry_;
    bool normalMaximized_ = true;
    bool stateSaved_ = false;
};

} // namespace kestrel::frame
