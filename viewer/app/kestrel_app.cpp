#include "kestrel_app.h"

#include <QCommandLineParser>
#include <QSurfaceFormat>
#include <QTimer>

#include "frame_binding.h"
#include "kestrel_doc.h"
#include "kestrel_version.h"
#include "main_frame.h"
#include "opengl_check.h"
#include "platform/local_path.h"
#include "toolbar_icons.h"

namespace kestrel::app {

void SetDefaultGlFormat()
{
    // A compatibility context: the engine draws with the fixed-function pipeline.
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    // Not multisampled: the 3D view multisamples into a target of its own when asked to.
    QSurfaceFormat::setDefaultFormat(format);
}

namespace {
// Qt decodes the arguments with U+FFFD for bytes that are not UTF-8; the file is opened by
// the bytes it was given.
QString RawArgument(int argc, char** argv, const QString& decoded)
{
    for (int i = 1; i < argc; ++i)
        if (QString::fromLocal8Bit(argv[i]) == decoded)
            return platform::PathFromLocal(argv[i]);
    return decoded;
}
} // namespace

CKestrelApp::CKestrelApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName("Halvard");
    setApplicationName("Kestrel");
    setApplicationVersion(version::kText);
    setWindowIcon(frame::ApplicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription("Kestrel, a viewer for 3D models and 2D images");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("file", "A model or image file to open.");
    parser.process(arguments());
    if (!parser.positionalArguments().isEmpty())
        commandLineFile_ = RawArgument(argc, argv, parser.positionalArguments().first());
}

CKestrelApp::~CKestrelApp() = default;

bool CKestrelApp::Start()
{
    if (!OpenGlAvailable()) {
        ReportNoOpenGl();
        return false;
    }
    frame_ = std::make_unique<frame::CMainFrame>();
    if (!frame_->Create())
        return false;
    // The document and its view join the frame before the window shows and the command
    // line is processed; the frame owns the binding.
    auto* binding = new view::CFrameBinding(*frame_);
    // The file is read while the window is shown and draws itself.
    if (!commandLineFile_.isEmpty())
        binding->Doc().StartReading(commandLineFile_);
    frame_->ShowAtStart();
    if (!commandLineFile_.isEmpty()) {
        // Opened once the event loop runs: the window draws itself while the file is read,
        // and closing it meanwhile ends the program.
        QTimer::singleShot(0, frame_.get(), [this, binding] {
            view::CKestrelDoc& doc = binding->Doc();
            doc.SetQuietReadTime(std::chrono::milliseconds(0));
            emit frame_->OpenFileRequested(commandLineFile_);
            doc.SetQuietReadTime(view::CKestrelDoc::kQuietReadTime);
        });
    }
    return true;
}

} // namespace kestrel::app
