#pragma once
#include <QObject>
#include <QPointer>
#include <memory>

#include "frame_document.h"

namespace kestrel::frame {
class CMainFrame;
}

namespace kestrel::browser {
class CFolderTree;
class CFileListPane;
}

namespace kestrel::panels {
class CObjectsPage;
class CInformationPage;
}

namespace kestrel::view {

class CKestrelDoc;
class CKestrelView;

// Joins the document and its view to the main frame: the central view, status, title and
// recent files, the File, display, camera and image commands, the statistics pages, and
// plug-in runs on the model.
class CFrameBinding : public QObject, public frame::IFrameDocument {
    Q_OBJECT
public:
    explicit CFrameBinding(frame::CMainFrame& frame);
    ~CFrameBinding() override;

    CKestrelDoc& Doc() { return *doc_; }
    CKestrelView& View() { return *view_; }

    // IFrameDocument
    CModel& PlugInModel() override;
    void BeginModelChange() override;
    void EndModelChange() override;
    void ModelChanged() override;
    void RedrawViews() override;
    void CancelWork() override;

private:
    void ConnectCommands();
    void InstallPanels();
    // The "Folders" and "File List" panels (browser_binding.cpp).
    void InstallBrowser();
    void InstallFolderTree();
    void InstallFileList();
    void OpenWithDialog();

    frame::CMainFrame& frame_;
    std::unique_ptr<CKestrelDoc> doc_;
    CKestrelView* view_ = nullptr; // owned by the frame once set as its central widget
    // Owned by the statistics panel; they read the document, so they go with it.
    QPointer<panels::CObjectsPage> objectsPage_;
    QPointer<panels::CInformationPage> informationPage_;
    QPointer<browser::CFolderTree> folderTree_; // owned by the folders panel
    QPointer<browser::CFileListPane> fileList_; // owned by the file list panel
};

} // namespace kestrel::view
