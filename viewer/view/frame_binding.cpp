#include "frame_binding.h"

#include <QFileDialog>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStatusBar>

#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "animation_controls.h"
#include "command_ids.h"
#include "information_page.h"
#include "main_frame.h"
#include "objects_page.h"
#include "open_progress.h"
#include "preference_store.h"
#include "print_commands.h"
#include "recent_files.h"
#include "status_message.h"
#include "status_panes.h"
#include "snapshot_commands.h"
#include "video_commands.h"
#include "view_commands.h"

namespace kestrel::view {

CFrameBinding::CFrameBinding(frame::CMainFrame& frame) : QObject(&frame), frame_(frame)
{
    settings::CPreferenceStore& prefs = frame.Preferences();
    doc_ = std::make_unique<CKestrelDoc>(frame.PlugIns(), prefs.State(), prefs.Settings());
    view_ = new CKestrelView(*doc_);
    frame.SetCentralView(view_);
    frame.SetDocument(this);

    connect(doc_.get(), &CKestrelDoc::statusChanged, &frame,
            [&frame](const QString& text, int severity) { frame.Status().Set(text, severity); });
    connect(doc_.get(), &CKestrelDoc::titleChanged, &frame,
            [&frame](const QString& title) { frame.setWindowTitle(title + QStringLiteral(" - Kestrel")); });
    connect(doc_.get(), &CKestrelDoc::recentFileAdded, &frame,
            [&frame](const QString& path) { frame.RecentFiles().Add(path); });
    connect(&frame, &frame::CMainFrame::OpenFileRequested, doc_.get(), [this](const QString& path) {
        doc_->Open(path);
    });
    auto* progress = new COpenProgress(*frame.statusBar());
    connect(progress, &COpenProgress::cancelRequested, doc_.get(), &CKestrelDoc::CancelOpen);
    connect(doc_.get(), &CKestrelDoc::loadingChanged, &frame, [this, progress](bool loading) {
        progress->SetLoading(loading);
        frame_.Commands().SetSuspended(loading);
        frame_.RefreshCommands();
    });
    connect(view_, &CKestrelView::imageViewChanged, &frame, &frame::CMainFrame::RefreshCommands);
    connect(view_, &CKestrelView::leaveFullScreenRequested, &frame, [&frame] { frame.SetFullScreen(false); });
    ConnectCommands();
    InstallPanels();
    InstallBrowser();
    // The animation feature keeps its commands, combo, seek bar and panes up to date itself.
    auto* animation = new anim::CAnimationControls(frame, *doc_, this);
    connect(view_, &CKestrelView::frameDrawn, animation, &anim::CAnimationControls::OnFrameDrawn);
    frame_.RefreshCommands();
}

CFrameBinding::~CFrameBinding()
{
    frame_.SetDocument(nullptr);
    frame_.Commands().Unregister(this);
    frame_.RefreshCommands();
    delete objectsPage_;
    delete informationPage_;
    // The view refers to the document: it goes first.
    delete view_;
}

void CFrameBinding::ConnectCommands()
{
    commands::CCommandRegistry& registry = frame_.Commands();
    RegisterFileCommands(registry, this, *doc_, [this] { OpenWithDialog(); });
    RegisterDisplayCommands(registry, this, *view_);
    RegisterImageCommands(registry, this, *doc_);
    RegisterImageViewCommands(registry, this, *view_);
    printing::RegisterPrintCommands(registry, this, frame_, *doc_, *view_);
    capture::RegisterSnapshotCommands(registry, this, frame_, *view_);
    capture::RegisterVideoCommands(registry, this, frame_, *doc_, *view_);
    // A new or opened document changes what the image and save commands may do.
    connect(doc_.get(), &CKestrelDoc::panelsChanged, &frame_, &frame::CMainFrame::RefreshCommands);
}

void CFrameBinding::InstallPanels()
{
    objectsPage_ = new panels::CObjectsPage(*doc_);
    informationPage_ = new panels::CInformationPage(*doc_);
    frame_.SetStatisticsPage(frame::CMainFrame::kObjectsPage, objectsPage_);
    frame_.SetStatisticsPage(frame::CMainFrame::kInformationPage, informationPage_);
    // Both are rebuilt after every load and every plug-in run.
    connect(doc_.get(), &CKestrelDoc::panelsChanged, objectsPage_.data(), &panels::CObjectsPage::Refresh);
    connect(doc_.get(), &CKestrelDoc::panelsChanged, informationPage_.data(), &panels::CInformationPage::Refresh);
    connect(view_, &CKestrelView::selectionChanged, objectsPage_.data(), &panels::CObjectsPage::ShowSelection);
}

void CFrameBinding::OpenWithDialog()
{
    const QString folder = doc_->PathName().isEmpty() ? QString() : QFileInfo(doc_->PathName()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(&frame_, QString(), folder, doc_->OpenDialogFilter());
    if (!path.isEmpty())
        doc_->Open(path);
}

CModel& CFrameBinding::PlugInModel()
{
    return doc_->Data().model;
}

void CFrameBinding::BeginModelChange()
{
    view_->BeginGl();
}

void CFrameBinding::EndModelChange()
{
    view_->EndGl();
}

void CFrameBinding::ModelChanged()
{
    doc_->ModelChanged();
}

void CFrameBinding::RedrawViews()
{
    doc_->Redraw();
}

void CFrameBinding::CancelWork()
{
    doc_->CancelOpen();
}

} // namespace kestrel::view
