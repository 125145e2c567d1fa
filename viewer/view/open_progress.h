#pragma once
#include <QWidget>

class QShortcut;
class QStatusBar;

namespace kestrel::view {

// Shown in the status bar while a long file read runs: a busy bar and Cancel (also Esc).
class COpenProgress : public QWidget {
    Q_OBJECT
public:
    explicit COpenProgress(QStatusBar& bar);

    void SetLoading(bool loading);

signals:
    void cancelRequested();

private:
    QShortcut* escape_ = nullptr;
};

} // namespace kestrel::view
