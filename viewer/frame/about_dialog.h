#pragma once
#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace kestrel::frame {

// What the GL driver reports about itself.
struct GlDescription {
    QString vendor, version, renderer;
    QStringList extensions;
    bool valid = false;
};

// Asks a GL context of the default format (the one the views use).
GlDescription DescribeGl();

// The about box: version, GL vendor, version, renderer and extensions.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(const GlDescription& gl, QWidget* parent = nullptr);
    ~CAboutDialog() override;
    QLineEdit* Vendor() const { return vendor_; }
    QLineEdit* Version() const { return version_; }
    QLineEdit* Renderer() const { return renderer_; }
    QPlainTextEdit* Extensions() const { return extensions_; }

private:
    QLineEdit* vendor_ = nullptr;
    QLineEdit* version_ = nullptr;
    QLineEdit* renderer_ = nullptr;
    QPlainTextEdit* extensions_ = nullptr;
};

} // namespace kestrel::frame
