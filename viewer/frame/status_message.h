#pragma once
#include <QObject>
#include <QString>

namespace kestrel::frame {

// The frame's current status message: a text and its severity. The document and the frame
// set it; the status bar and the information panel show it.
class CStatusMessage : public QObject {
    Q_OBJECT
public:
    enum Severity { kNone = 0, kInformation = 1, kError = 2, kUnexpected = 3 };

    using QObject::QObject;
    // An empty text has no severity.
    void Set(const QString& text, int severity);
    const QString& Text() const { return text_; }
    int Severity() const { return severity_; }

signals:
    void Changed();

private:
    QString text_;
    int severity_ = kNone;
};

} // namespace kestrel::frame
