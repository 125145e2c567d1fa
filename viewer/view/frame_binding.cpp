#include "frame_binding.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>

#include "command_ids.h"
#include "display_options.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "animation_controls.h"
#include "information_page.h"
#include "main_frame.h"
#include "objects_page.h"
#include "preference_store.h"
#include "recent_files.h"
#include "status_message.h"
#include "status_panes.h"

namespace kestrel::view {
namespace {

// Commands of the display menus whose check marks follow the state block.
bool IsDisplayCommand(int id)
{
    return (id >= cmd::kMeshOff && id <= cmd::kGridLast) || id == cmd::kNormals || id == cmd::kAxes ||
           id == cmd::kBackFaces;
}

constexpr int kImageCommands[] = {cmd::kRotateLeft, cmd::kRotateRight, cmd::kFlipVertical, cmd::kFlipHorizontal,
                                  cmd::kGrayscale,  cmd::kInvert,      cmd::kNormalMap,    cmd::kToggleAlpha};
constexpr int kCameraCommands[] = {cmd::kCameraFront, cmd::kCameraBack, cmd::kCameraTop,
                                   cmd::kCameraBottom, cmd::kCameraLeft, cmd::kCameraRight,
                                   cmd::kDisplayCameras, cmd::kDisplayLights};

} // namespace

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
    connect(view_, &CKestrelView::leaveFullScreenRequested, &frame, [&frame] { frame.SetFullScreen(false); });
    ConnectCommands();
    InstallPanels();
    // The animation feature keeps its commands, combo, seek bar and panes up to date itself.
    auto* animation = new anim::CAnimationControls(frame, *doc_, this);
    connect(view_, &CKestrelView::frameDrawn, animation, &anim::CAnimationControls::OnFrameDrawn);
    UpdateChecks();
}

CFrameBinding::~CFrameBinding()
{
    frame_.SetDocument(nullptr);
    delete objectsPage_;
    delete informationPage_;
    // The view refers to the document: it goes first.
    delete view_;
}

void CFrameBinding::ConnectCommands()
{
    std::vector<int> ids = {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, cmd::kFileSaveAs, cmd::kRefreshFile};
    for (int id = cmd::kMeshOff; id <= cmd::kGridLast; ++id)
        ids.push_back(id);
    ids.insert(ids.end(), {cmd::kNormals, cmd::kAxes, cmd::kBackFaces});
    ids.insert(ids.end(), std::begin(kCameraCommands), std::end(kCameraCommands));
    ids.insert(ids.end(), std::begin(kImageCommands), std::end(kImageCommands));
    for (int id : ids)
        if (QAction* action = frame_.Action(id)) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        }
    // A new or opened document changes what the image and save commands may do.
    connect(doc_.get(), &CKestrelDoc::panelsChanged, this, &CFrameBinding::UpdateChecks);
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

void CFrameBinding::OnCommand(int id)
{
    switch (id) {
    case cmd::kFileNew: doc_->NewDocument(); break;
    case cmd::kFileOpen: OpenWithDialog(); break;
    case cmd::kFileSave: doc_->Save(); break;
    case cmd::kFileSaveAs: doc_->SaveAs(); break;
    case cmd::kRefreshFile: doc_->RefreshFile(); break;
    default:
        if (!view_->HandleCommand(id))
            doc_->ImageCommand(id);
        break;
    }
    UpdateChecks();
}

void CFrameBinding::OpenWithDialog()
{
    const QString folder = doc_->PathName().isEmpty() ? QString() : QFileInfo(doc_->PathName()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(&frame_, QString(), folder, doc_->OpenDialogFilter());
    if (!path.isEmpty())
        doc_->Open(path);
}

void CFrameBinding::UpdateChecks()
{
    for (int id = cmd::kMeshOff; id <= cmd::kBackFaces; ++id)
        if (IsDisplayCommand(id))
            if (QAction* action = frame_.Action(id); action && action->isCheckable())
                action->setChecked(view_->IsCommandChecked(id));
    const bool image = doc_->ViewMode() == 2;
    for (int id : kImageCommands)
        if (QAction* action = frame_.Action(id))
            action->setEnabled(image);
    if (QAction* alpha = frame_.Action(cmd::kToggleAlpha)) {
        alpha->setEnabled(image && doc_->Data().image.mBpp == 32);
        if (alpha->isCheckable())
            alpha->setChecked(doc_->State().showAlpha != 0);
    }
    for (int id : {cmd::kFileSave, cmd::kFileSaveAs})
        if (QAction* action = frame_.Action(id))
            action->setEnabled(doc_->ViewMode() != 0);
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

} // namespace kestrel::view
