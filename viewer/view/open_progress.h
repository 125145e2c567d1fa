#pragma once
#include <QTimer>
#include <QWidget>

class QProgressBar;
class QShortcut;
class QStatusBar;

namespace kestrel::view {

// Shown in the status bar while a long file read runs: a busy bar and Cancel (also Esc).
// The bar moves in steps a few times a second: every change of the status bar redraws the
// whole window, 3D view included, and at the screen's rate that took the read's processor.
class COpenProgress : public QWidget {
    Q_OBJECT
public:
    explicit COpenProgress(QStatusBar& bar);

    void SetLoading(bool loading);

signals:
    void cancelRequested();

private:
    void Step();

    QProgressBar* busy_ = nullptr;
    QShortcut* escape_ = nullptr;
    QTimer stepTimer_;
};

} // namespace kestrel::view
