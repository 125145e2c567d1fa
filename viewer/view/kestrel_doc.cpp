#include "kestrel_doc.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "document_view.h"
#include "file_filters.h"
#include "command_ids.h"
#include "plugin_manager.h"
#include "platform/local_path.h"
#include "platform/memory_reuse.h"
#include "save_rules.h"

namespace kestrel::view {
namespace {

using platform::LocalPath;

// The wait cursor while a file is read or an image changes.
class BusyCursor {
public:
    BusyCursor()
    {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            active_ = false;
    }
    ~BusyCursor()
    {
        if (active_)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool active_ = true;
};

// The view's context is current for the lifetime of the object.
class GlScope {
public:
    explicit GlScope(IDocumentView* view) : view_(view)
    {
        if (view_)
            view_->BeginGl();
    }
    ~GlScope()
    {
        if (view_)
            view_->EndGl();
    }
    GlScope(const GlScope&) = delete;
    GlScope& operator=(const GlScope&) = delete;

private:
    IDocumentView* view_;
};

constexpr const char* kSaveError = "Error saving file!";
constexpr int kReadPollMs = 15;
// Files opened in quicker succession (browsing a folder) reuse what the previous read freed;
// a file looked at for longer gives it back.
constexpr int kIdleReleaseDelayMs = 3000;

void ChangeOverrideCursor(Qt::CursorShape shape)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(shape);
}

} // namespace

CKestrelDoc::CKestrelDoc(host::CPlugInManager& plugIns, prefs::StateBlock& state,
                         const prefs::SettingsBlock& settings, QObject* parent)
    : QObject(parent), plugIns_(plugIns), state_(state), settings_(settings)
{
    saveDialog_ = [](const QString& folder, const QString& filter) {
        QFileDialog dialog(QApplication::activeWindow(), QString(), folder, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The dialog adds the extension itself, so its overwrite question names the real file.
        if (filter.contains(QStringLiteral("*.kxm3")))
            dialog.setDefaultSuffix(QString::fromLatin1(kNativeExtension + 1));
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                      : QString();
    };
}

CKestrelDoc::~CKestrelDoc() = default;

void CKestrelDoc::SetStatus(const QString& text, int severity)
{
    statusText_ = text;
    statusSeverity_ = severity;
    emit statusChanged(text, severity);
}

void CKestrelDoc::Reset(bool opening)
{
    {
        GlScope gl(view_);
        doc::ResetDocument(data_);
    }
    imageView_ = scene::ImageView();
    selection_.clear();
    animationSpeed_ = 1.0f;
    if (opening) {
        data_.viewMode = doc::kEmpty;
        return;
    }
    SetViewMode(doc::kModel);
    emit panelsChanged();
    SetStatus(QString(), doc::kInformation);
    if (view_)
        view_->InitialUpdate();
}

void CKestrelDoc::NewDocument()
{
    Reset(false);
    pathName_.clear();
    title_ = tr("Untitled");
    emit titleChanged(title_);
}

bool CKestrelDoc::Open(const QString& path)
{
    if (opening_)
        return false; // events processed while loading must not start another open
    opening_ = true;
    BusyCursor busy;
    // A read already started has made the file's folder current: a relative name is taken
    // as it was meant then.
    const QString full = path == startedName_ ? startedFull_ : QFileInfo(path).absoluteFilePath();
    startedName_.clear();
    Reset(true);
    SetStatus(QStringLiteral("Loading file..."), doc::kInformation);
    // Let the status bar and the wait cursor show before the file is read.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    doc::OpenOutcome outcome;
    if (!ReadFile(LocalPath(full), outcome)) {
        opening_ = false;
        NewDocument();
        SetStatus(QStringLiteral("Loading cancelled."), doc::kInformation);
        return false;
    }
    SetViewMode(data_.viewMode);
    if (data_.viewMode == doc::kImage && view_)
        view_->FitImage();
    SetStatus(QString::fromStdString(outcome.status), outcome.severity);

    if (view_)
        view_->InitialUpdate();
    Redraw();
    emit panelsChanged();
    SetPath(full);
    opening_ = false;
    if (!idleRelease_) {
        idleRelease_ = new QTimer(this);
        idleRelease_->setSingleShot(true);
        connect(idleRelease_, &QTimer::timeout, this, [] { platform::ReleaseIdleFreeMemory(); });
    }
    idleRelease_->start(kIdleReleaseDelayMs);
    return outcome.ok;
}

bool CKestrelDoc::ReadFile(const std::string& path, doc::OpenOutcome& outcome)
{
    cancelRequested_ = false;
    if (started_ != path || !loader_.Running())
        loader_.Start(path, plugIns_, DrawingPreparation(), ReadEndedNotice());
    started_.clear();
    // Most files are read before anyone would notice; only a longer read shows its
    // progress and keeps the window working meanwhile.
    const bool quick = quietRead_.count() >= 0 && loader_.WaitFor(quietRead_);
    if (!quick) {
        emit loadingChanged(true);
        QEventLoop loop;
        readLoop_ = &loop;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
            if (cancelRequested_ || loader_.WaitFor(std::chrono::milliseconds(0)))
                loop.quit();
        });
        poll.start(kReadPollMs);
        {
            // The wait cursor would hide that Cancel can be pressed.
            ChangeOverrideCursor(Qt::BusyCursor);
            loop.exec();
            ChangeOverrideCursor(Qt::WaitCursor);
        }
        readLoop_ = nullptr;
        emit loadingChanged(false);
        // Cancelled, or the event loop was told to end (the application quits).
        if (cancelRequested_ || !loader_.WaitFor(std::chrono::milliseconds(0))) {
            loader_.Abandon();
            return false;
        }
    }
    GlScope gl(view_);
    outcome = loader_.TakeResult(data_);
    return true;
}

doc::CDocumentLoader::AfterRead CKestrelDoc::DrawingPreparation() const
{
    const bool solid = state_.meshMode == prefs::kSolidMeshMode;
    return [solid](doc::Document& doc) {
        if (doc.viewMode == doc::kModel)
            doc.model.PrepareDrawing(solid);
    };
}

void CKestrelDoc::StartReading(const QString& path)
{
    if (opening_)
        return;
    startedName_ = path;
    startedFull_ = QFileInfo(path).absoluteFilePath();
    started_ = LocalPath(startedFull_);
    loader_.Start(started_, plugIns_, DrawingPreparation(), ReadEndedNotice());
}

doc::CDocumentLoader::Ended CKestrelDoc::ReadEndedNotice()
{
    // The waiting loop ends as soon as the read does, not at its next look; a notice of a
    // read given up earlier finds the current one still running and changes nothing.
    return [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (readLoop_ && loader_.WaitFor(std::chrono::milliseconds(0)))
                    readLoop_->quit();
            },
            Qt::QueuedConnection);
    };
}

void CKestrelDoc::CancelOpen()
{
    if (opening_)
        cancelRequested_ = true;
}

void CKestrelDoc::SetPath(const QString& path)
{
    pathName_ = path;
    title_ = QFileInfo(path).fileName();
    emit titleChanged(title_);
    emit recentFileAdded(path);
}

void CKestrelDoc::SetViewMode(int mode)
{
    data_.viewMode = doc::ViewMode(mode == 1 || mode == 2 ? mode : 0);
    if (data_.viewMode == doc::kModel) {
        scene::SetModelCamera(camera_, cameraState_);
    } else if (data_.viewMode == doc::kImage) {
        scene::SetImageCamera(camera_, cameraState_);
        imageView_.scrollX = imageView_.scrollY = 0;
    }
}

void CKestrelDoc::SetCameraPreset(const CVector3d& rotation)
{
    scene::SetCameraPreset(camera_, cameraState_, rotation);
    Redraw();
}

void CKestrelDoc::FailSave()
{
    SetStatus(QString::fromLatin1(kSaveError), doc::kUnexpected);
}

bool CKestrelDoc::WriteNative(const QString& path)
{
    if (!data_.model.SaveNative(LocalPath(path))) {
        FailSave();
        return false;
    }
    return true;
}

bool CKestrelDoc::WriteImage(const QString& path, unsigned imageType)
{
    if (!SaveImageReplacing(data_.image, LocalPath(path), imageType)) {
        FailSave();
        return false;
    }
    return true;
}

bool CKestrelDoc::Save()
{
    const std::string path = LocalPath(pathName_);
    std::error_code ec;
    const SaveDecision d = DecideSave(data_.viewMode, path, !path.empty() && std::filesystem::exists(path, ec));
    switch (d.action) {
    case SaveAction::Nothing: return false;
    case SaveAction::WriteNative: return WriteNative(pathName_);
    case SaveAction::WriteImage: return WriteImage(pathName_, d.imageType);
    case SaveAction::AskForName: return SaveAs();
    case SaveAction::Fail: FailSave(); return false;
    }
    return false;
}

bool CKestrelDoc::SaveAs()
{
    const std::string filter = SaveAsFilter(data_.viewMode);
    if (filter.empty())
        return false;
    const QString folder = pathName_.isEmpty() ? QString() : QFileInfo(pathName_).absolutePath();
    QString chosen = saveDialog_ ? saveDialog_(folder, QString::fromStdString(ToDialogFilter(filter))) : QString();
    if (chosen.isEmpty())
        return false;
    if (data_.viewMode == doc::kModel)
        chosen = platform::PathFromLocal(WithDefaultExtension(LocalPath(chosen), kNativeExtension));
    bool ok = false;
    if (data_.viewMode == doc::kModel) {
        ok = WriteNative(chosen);
    } else {
        const unsigned type = ImageTypeForExtension(UpperExtension(LocalPath(chosen)));
        if (!type)
            FailSave();
        else
            ok = WriteImage(chosen, type);
    }
    if (ok)
        SetPath(QFileInfo(chosen).absoluteFilePath());
    return ok;
}

bool CKestrelDoc::RefreshFile()
{
    if (pathName_.isEmpty() || !QFileInfo::exists(pathName_))
        return false;
    emit showFolderRequested(QFileInfo(pathName_).absolutePath());
    const QString path = pathName_; // Open replaces the path name
    return Open(path);
}

bool CKestrelDoc::ImageCommand(int commandId)
{
    CTexture& image = data_.image;
    switch (commandId) {
    case cmd::kRotateLeft:
    case cmd::kRotateRight:
    case cmd::kFlipVertical:
    case cmd::kFlipHorizontal:
    case cmd::kGrayscale:
    case cmd::kInvert:
    case cmd::kNormalMap:
    case cmd::kToggleAlpha: break;
    default: return false;
    }
    if (data_.viewMode != doc::kImage)
        return true;
    {
        BusyCursor busy;
        switch (commandId) {
        case cmd::kRotateLeft: image.ModRotate(2); break;
        case cmd::kRotateRight: image.ModRotate(1); break;
        case cmd::kFlipVertical: image.ModFlip(4); break;
        case cmd::kFlipHorizontal: image.ModFlip(8); break;
        case cmd::kGrayscale: image.ModGrayscale(); break;
        case cmd::kInvert: image.ModInvert(); break;
        case cmd::kNormalMap: image.ModNormalMap(2.0f); break;
        case cmd::kToggleAlpha: state_.showAlpha = state_.showAlpha ? 0 : 1; break;
        default: break;
        }
        // The backdrop follows the image's size and depth.
        scene::BuildAlphaBackdrop(image, data_.backdrop);
        data_.imageSerial = doc::NewImageSerial();
    }
    if (commandId == cmd::kRotateLeft || commandId == cmd::kRotateRight) {
        imageView_.scrollX = imageView_.scrollY = 0;
        if (view_)
            view_->FitImage();
    }
    Redraw();
    return true;
}

void CKestrelDoc::RefreshTextures(bool load)
{
    if (!pathName_.isEmpty()) {
        std::error_code ec;
        std::filesystem::current_path(std::filesystem::path(LocalPath(pathName_)).parent_path(), ec);
    }
    GlScope gl(view_);
    data_.model.ReloadTextures(load);
}

void CKestrelDoc::ModelChanged()
{
    data_.stats = data_.model.GetModelStats();
    // A plug-in may have removed meshes: forget selections past the end.
    const int meshes = int(data_.model.mMeshes.size());
    std::erase_if(selection_, [meshes](int mesh) { return mesh < 0 || mesh >= meshes; });
    emit panelsChanged();
    Redraw();
}

void CKestrelDoc::Redraw()
{
    if (view_)
        view_->Redraw();
}

void CKestrelDoc::SetAnimationSpeed(float speed)
{
    animationSpeed_ = std::clamp(speed, 0.0f, 10.0f);
}

void CKestrelDoc::SetFrameRate(float fps)
{
    frameRate_ = fps;
    emit frameRateChanged(fps);
}

std::string CKestrelDoc::OpenFilterText() const
{
    return BuildOpenFilter(plugIns_.FileTypes());
}

QString CKestrelDoc::OpenDialogFilter() const
{
    return QString::fromStdString(ToDialogFilter(OpenFilterText()));
}

} // namespace kestrel::view
