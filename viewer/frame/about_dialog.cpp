#include "about_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPlainTextEdit>
#include <QSettings>
#include <QVBoxLayout>

#include "kestrel_version.h"
#include "toolbar_icons.h"

namespace kestrel::frame {

namespace {
constexpr const char* kPositionKey = "Resizable Dialog Positions/CAboutDlgPosition";

QString GlString(QOpenGLFunctions* gl, GLenum name)
{
    const auto* text = reinterpret_cast<const char*>(gl->glGetString(name));
    return text ? QString::fromLatin1(text) : QString();
}
} // namespace

GlDescription DescribeGl()
{
    GlDescription d;
    QOpenGLContext context;
    context.setFormat(QSurfaceFormat::defaultFormat());
    if (!context.create())
        return d;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return d;
    QOpenGLFunctions* gl = context.functions();
    d.vendor = GlString(gl, GL_VENDOR);
    d.version = GlString(gl, GL_VERSION);
    d.renderer = GlString(gl, GL_RENDERER);
    // The extension string split at blanks; a core context has none, so ask the set instead.
    d.extensions = GlString(gl, GL_EXTENSIONS).split(' ', Qt::SkipEmptyParts);
    if (d.extensions.isEmpty()) {
        for (const QByteArray& e : context.extensions())
            d.extensions << QString::fromLatin1(e);
        d.extensions.sort();
    }
    d.valid = true;
    context.doneCurrent();
    return d;
}

CAboutDialog::CAboutDialog(const GlDescription& gl, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About Kestrel");
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    head->addWidget(icon);
    auto* version = new QLabel(QString("Kestrel Version %1").arg(kestrel::version::kText), this);
    version->setObjectName("versionText");
    head->addWidget(version, 1);
    layout->addLayout(head);

    auto* form = new QFormLayout;
    const auto field = [this, form](const char* label, const QString& text) {
        auto* edit = new QLineEdit(text, this);
        edit->setReadOnly(true);
        form->addRow(label, edit);
        return edit;
    };
    const QString none = gl.valid ? QString() : QString("(no OpenGL context)");
    vendor_ = field("Vendor:", gl.valid ? gl.vendor : none);
    version_ = field("Version:", gl.valid ? gl.version : none);
    renderer_ = field("Renderer:", gl.valid ? gl.renderer : none);
    layout->addLayout(form);
    layout->addWidget(new QLabel("Supported Extensions:", this));
    extensions_ = new QPlainTextEdit(gl.extensions.join('\n'), this);
    extensions_->setReadOnly(true);
    extensions_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(extensions_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    resize(480, 420);
    const QByteArray position = QSettings().value(kPositionKey).toByteArray();
    if (!position.isEmpty())
        restoreGeometry(position);
}

CAboutDialog::~CAboutDialog()
{
    QSettings().setValue(kPositionKey, saveGeometry());
}

} // namespace kestrel::frame
