#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

#include "document.h"
#include "document_loader.h"
#include "image_drawing.h"
#include "nimbus/camera.h"
#include "preference_blocks.h"
#include "view_camera.h"

class QEventLoop;

namespace kestrel::host {
class CPlugInManager;
}

namespace kestrel::view {

class IDocumentView;

// The viewer's single document: a model or an image (or nothing), the camera that looks at
// it, the image view, the selection and the file it came from. Reports outcomes as status
// messages and asks its view to redraw.
class CKestrelDoc : public QObject {
    Q_OBJECT
public:
    // Chooses a file name to save to; an empty result cancels.
    using SaveDialog = std::function<QString(const QString& folder, const QString& dialogFilter)>;

    CKestrelDoc(host::CPlugInManager& plugIns, prefs::StateBlock& state, const prefs::SettingsBlock& settings,
                QObject* parent = nullptr);
    ~CKestrelDoc() override;

    void AttachView(IDocumentView* view) { view_ = view; }
    IDocumentView* View() const { return view_; }

    // File New: an empty 3D scene.
    void NewDocument();
    // Opens a file; the status says how it went. False when it failed.
    bool Open(const QString& path);
    // Starts reading a file that Open is about to be asked for, so the read runs meanwhile.
    void StartReading(const QString& path);
    // While Open reads a long file: stops waiting for it; the document is left empty.
    void CancelOpen();
    bool IsOpening() const { return opening_; }
    // A read that ends within this shows no progress and takes no input meanwhile.
    static constexpr std::chrono::milliseconds kQuietReadTime{250};
    // A negative time treats every read as long, however fast it is.
    void SetQuietReadTime(std::chrono::milliseconds time) { quietRead_ = time; }
    // Save in place, or Save As when the file cannot be written in place.
    bool Save();
    bool SaveAs();
    // Opens the document's file again if it still exists.
    bool RefreshFile();

    void SetViewMode(int mode);
    int ViewMode() const { return data_.viewMode; }
    // A camera preset of the 3D view.
    void SetCameraPreset(const CVector3d& rotation);

    // Rotate, flip, grayscale, invert, normal map and toggle alpha on the image; false for
    // other commands. Does nothing outside view mode 2.
    bool ImageCommand(int commandId);

    // Reloads the model's textures from the document's folder (after another context drew it).
    void RefreshTextures(bool load);
    // A plug-in changed the model: statistics and panels follow.
    void ModelChanged();
    void Redraw();

    // The File Open filter, as the file types list it, and in the dialog's form.
    std::string OpenFilterText() const;
    QString OpenDialogFilter() const;

    void SetSaveDialog(SaveDialog dialog) { saveDialog_ = std::move(dialog); }

    doc::Document& Data() { return data_; }
    CCamera& Camera() { return camera_; }
    scene::CameraState& CameraValues() { return cameraState_; }
    scene::ImageView& ImageView() { return imageView_; }
    std::vector<int>& Selection() { return selection_; }
    prefs::StateBlock& State() { return state_; }
    const prefs::SettingsBlock& Settings() const { return settings_; }
    host::CPlugInManager& PlugIns() { return plugIns_; }

    float AnimationSpeed() const { return animationSpeed_; }
    void SetAnimationSpeed(float speed);
    float FrameRate() const { return frameRate_; }
    void SetFrameRate(float fps);

    const QString& PathName() const { return pathName_; }
    const QString& Title() const { return title_; }
    const QString& StatusText() const { return statusText_; }
    int StatusSeverity() const { return statusSeverity_; }

signals:
    void statusChanged(const QString& text, int severity);
    void titleChanged(const QString& title);
    // Statistics, objects and animation panes should be read again.
    void panelsChanged();
    void frameRateChanged(float fps);
    // A file was opened or saved under a name: it belongs in the recent-file list.
    void recentFileAdded(const QString& path);
    // A read that takes a while started (true) or ended; Cancel belongs on screen meanwhile.
    void loadingChanged(bool loading);
    // Refresh File moves the folder browser to the file's folder first.
    void showFolderRequested(const QString& folder);

private:
    void Reset(bool opening);
    // False when cancelled.
    bool ReadFile(const std::string& path, doc::OpenOutcome& outcome);
    // The drawing arrays of the mode shown now are built by the worker too.
    doc::CDocumentLoader::AfterRead DrawingPreparation() const;
    doc::CDocumentLoader::Ended ReadEndedNotice();
    void SetStatus(const QString& text, int severity);
    void SetPath(const QString& path);
    bool WriteNative(const QString& path);
    bool WriteImage(const QString& path, unsigned imageType);
    void FailSave();

    host::CPlugInManager& plugIns_;
    prefs::StateBlock& state_;
    const prefs::SettingsBlock& settings_;
    IDocumentView* view_ = nullptr;
    doc::Document data_;
    CCamera camera_;
    scene::CameraState cameraState_;
    scene::ImageView imageView_;
    std::vector<int> selection_;
    float animationSpeed_ = 1.0f;
    float frameRate_ = 0.0f;
    QString pathName_, title_;
    QString statusText_;
    int statusSeverity_ = 0;
    bool opening_ = false;
    bool cancelRequested_ = false;
    QTimer* idleRelease_ = nullptr; // gives freed memory back once a file has been looked at
    std::string started_; // the file StartReading began, until Open takes it
    QString startedName_, startedFull_; // as given, and absolute
    std::chrono::milliseconds quietRead_ = kQuietReadTime;
    QEventLoop* readLoop_ = nullptr; // while ReadFile waits for a longer read
    doc::CDocumentLoader loader_; // after everything a read may still touch
    SaveDialog saveDialog_;
};

} // namespace kestrel::view
