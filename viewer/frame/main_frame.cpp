#include "main_frame.h"

#include <functional>

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QTabWidget>
#include <QUrl>
#include <sys/resource.h>
#include <unistd.h>

#include "about_dialog.h"
#include "command_actions.h"
#include "command_ids.h"
#include "frame_document.h"
#include "plugin_manager.h"
#include "preference_store.h"
#include "settings_dialog.h"
#include "splash_window.h"
#include "status_message.h"
#include "status_panes.h"
#include "toolbar_icons.h"

namespace kestrel::frame {

namespace {

QWidget* Placeholder()
{
    auto* label = new QLabel("Kestrel");
    label->setObjectName("centralPlaceholder");
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    return label;
}

} // namespace

CMainFrame::CMainFrame() : CMainFrame(Options{}) {}

CMainFrame::CMainFrame(Options options)
    : options_(std::move(options)), plugIns_(std::make_unique<host::CPlugInManager>()),
      preferences_(std::make_unique<settings::CPreferenceStore>(QCoreApplication::organizationName(),
                                                                 QCoreApplication::applicationName()))
{
    status_ = new CStatusMessage(this);
    commandActions_ = new commands::CCommandActions(commands_, this);
    setObjectName("KestrelMainFrame");
    setWindowTitle("Kestrel");
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    setCentralWidget(Placeholder());
}

CMainFrame::~CMainFrame()
{
    // The document's binding and its features unregister their commands and take back their
    // widgets: they go while the registry and the bars still stand.
    if (auto* binding = dynamic_cast<QObject*>(document_); binding && binding->parent() == this)
        delete binding;
    RemovePlugInMenus();
    delete splash_;
}

void CMainFrame::Step(const QString& text)
{
    if (splash_)
        splash_->SetStatusText(text);
    emit CreationStep(text);
}

bool CMainFrame::Create()
{
    if (options_.showSplash) {
        splash_ = new CSplashWindow;
        splash_->SetVersionText(CSplashWindow::ProgramVersionText());
        splash_->show();
        splash_->repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    // The splash window goes on every way out.
    const auto done = [this](bool ok) {
        delete splash_;
        return ok;
    };

    Step("Registering Plug-Ins...");
    plugIns_->Scan((options_.plugInFolder.isEmpty() ? QString::fromStdString(host::CPlugInManager::DefaultFolder())
                                                    : options_.plugInFolder)
                       .toStdString());

    Step("Loading Preferences...");
    preferences_->Load();

    Step("Initializing Command Manager...");
    CreateActions();

    Step("Initializing Menu...");
    CreateMenus();

    Step("Initializing Toolbars...");
    if (!CreateToolbars())
        return done(false);

    Step("Initializing Status Bar...");
    CreateStatusBar();

    Step("Initializing File List Panel...");
    Step("Initializing Folders Panel...");
    Step("Initializing Statistics Panel...");
    CreatePanels();

    Step("Docking panels and toolbars...");
    EnableDocking();

    Step("Loading personalized settings...");
    LoadPersonalSettings();

    Step("Initializing application threads...");
    RaiseThreadPriority();

    Step("Finalizing startup...");
    RegisterFrameCommands();
    return done(true);
}

void CMainFrame::SetCentralView(QWidget* view)
{
    QWidget* old = takeCentralWidget();
    setCentralWidget(view ? view : Placeholder());
    if (old && old != view)
        old->deleteLater();
}

void CMainFrame::RaiseThreadPriority()
{
    // Raising the priority needs privileges most users lack; the program runs without it.
    const int current = getpriority(PRIO_PROCESS, 0);
    (void)setpriority(PRIO_PROCESS, gettid(), current - 5);
}

void CMainFrame::RegisterFrameCommands()
{
    using namespace cmd;
    const auto on = [this](int id, std::function<void()> run, std::function<bool()> checked = {}) {
        commands_.Register(id, this, commands::CommandHandler{std::move(run), {}, std::move(checked)});
    };
    // These touch no document, so they stay while a long read holds the others.
    const auto always = [this](int id, std::function<void()> run, std::function<bool()> checked = {}) {
        commands_.Register(id, this, commands::CommandHandler{std::move(run), {}, std::move(checked), true});
    };
    always(kAppExit, [this] { close(); });
    always(kFullScreen, [this] { SetFullScreen(!fullScreen_); }, [this] { return fullScreen_; });
    on(kSettings, [this] { ShowSettings(); });
    always(kAbout, [this] { ShowAbout(); });
    on(kHelpMail, [] { QDesktopServices::openUrl(QUrl("mailto:support@halvard.example")); });
    on(kHelpWeb, [] { QDesktopServices::openUrl(QUrl("https://halvard.example/kestrel")); });
    on(kHelpModeller, [] { QDesktopServices::openUrl(QUrl("https://www.milkshape3d.example")); });
    connect(status_, &CStatusMessage::Changed, panes_, &CStatusPanes::ShowMessage);
    RefreshCommands();
}

void CMainFrame::RefreshCommands()
{
    commandActions_->Refresh();
}

void CMainFrame::BuildPlugInMenus()
{
    RemovePlugInMenus();
    plugInMenus_.Build(*fileMenu_, *toolsMenu_, *plugIns_);
    for (QAction* command : plugInMenus_.Commands()) {
        const int id = command->data().toInt();
        commands_.Register(id, &plugInMenus_, commands::CommandHandler{[this, id] { RunPlugInCommand(id); }, {}, {}});
        actions_.insert(id, command);
        commandActions_->Bind(command);
    }
    for (QMenu* popup : {plugInMenus_.Exporters(), plugInMenus_.Editors(), plugInMenus_.Tools()})
        commandActions_->Watch(popup);
}

void CMainFrame::RemovePlugInMenus()
{
    for (QAction* command : plugInMenus_.Commands())
        actions_.remove(command->data().toInt());
    commands_.Unregister(&plugInMenus_);
    plugInMenus_.Remove();
}

void CMainFrame::RunPlugInCommand(int commandId)
{
    int result = host::kResultFailed;
    if (document_) {
        document_->BeginModelChange();
        result = plugIns_->RunCommand(commandId, document_->PlugInModel());
        document_->EndModelChange();
    }
    if (result < 0)
        result = host::kResultException;
    switch (result) {
    case host::kResultModel:
        if (document_)
            document_->ModelChanged();
        break;
    case host::kResultImage: break;
    case host::kResultException: status_->Set("Unexpected error occured!", CStatusMessage::kUnexpected); break;
    default: status_->Set("Operation failed!", CStatusMessage::kError); break;
    }
    if (document_)
        document_->RedrawViews();
    emit PlugInFinished(result);
}

void CMainFrame::ShowSettings()
{
    settings::CSettingsDialog dialog(*preferences_, *plugIns_, [this] { emit SettingsApplied(); }, this);
    dialog.exec();
}

void CMainFrame::ShowAbout()
{
    CAboutDialog about(DescribeGl(), this);
    about.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A file still being read is given up rather than waited for.
    if (document_)
        document_->CancelWork();
    SaveState();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    OpenDropped(event->mimeData()->urls());
    event->acceptProposedAction();
}

void CMainFrame::OpenDropped(const QList<QUrl>& urls)
{
    // A single document: only the first file opens.
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            emit OpenFileRequested(url.toLocalFile());
            return;
        }
    }
}

} // namespace kestrel::frame
