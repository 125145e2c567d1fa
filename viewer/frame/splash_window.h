#pragma once
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace kestrel::frame {

// Shown while the frame is created: a picture with the current step and the version.
class CSplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit CSplashWindow(QWidget* parent = nullptr);
    // Each does nothing when the text is unchanged; otherwise the window repaints at once.
    void SetStatusText(const QString& text);
    void SetVersionText(const QString& text);
    // "Version 3.2.0 build 461", from the project's version.
    static QString ProgramVersionText();
    const QString& StatusText() const { return status_; }
    const QString& VersionText() const { return version_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void Changed();
    QPixmap picture_;
    QString status_ = "Initializing ...";
    QString version_;
};

} // namespace kestrel::frame
