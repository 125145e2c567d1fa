#pragma once
#include <QApplication>
#include <memory>

namespace kestrel::frame {
class CMainFrame;
}

namespace kestrel::app {

// The document type the viewer saves.
constexpr const char* kDocumentExtension = ".kxm3";
constexpr const char* kDocumentFilter = "Kestrel Files (*.kxm3)";
constexpr const char* kDocumentTypeId = "Kestrel.3D.Model";
constexpr const char* kDocumentTypeName = "Kestrel 3D Model";

// The GL format of every view; set before the application object exists.
void SetDefaultGlFormat();

// The application object: settings under company "Halvard" and profile "Kestrel", the main
// frame, and the file named on the command line.
class CKestrelApp : public QApplication {
    Q_OBJECT
public:
    CKestrelApp(int& argc, char** argv);
    ~CKestrelApp() override;

    // Creates and shows the main frame; false when it cannot start.
    bool Start();
    frame::CMainFrame* Frame() const { return frame_.get(); }
    // The file named on the command line, or empty.
    const QString& CommandLineFile() const { return commandLineFile_; }

private:
    std::unique_ptr<frame::CMainFrame> frame_;
    QString commandLineFile_;
};

} // namespace kestrel::app
