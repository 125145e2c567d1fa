#pragma once
#include <QObject>

class QLabel;
class QStatusBar;

namespace kestrel::frame {

class CStatusMessage;

// The panes of the status bar, left to right: a spare pane, the status message with its
// severity icon, zoom or animation speed, frame, and frames per second.
class CStatusPanes : public QObject {
    Q_OBJECT
public:
    enum Pane { kSpare = 0, kMessage = 59145, kSpeed = 59146, kFrame = 59147, kFps = 59148 };

    CStatusPanes(QStatusBar& bar, const CStatusMessage& message);
    QLabel* Label(int pane) const;
    QLabel* SeverityIcon() const { return icon_; }
    // Shows the current status message and its icon.
    void ShowMessage();

private:
    const CStatusMessage& message_;
    QLabel* spare_ = nullptr;
    QLabel* icon_ = nullptr;
    QLabel* text_ = nullptr;
    QLabel* speed_ = nullptr;
    QLabel* frame_ = nullptr;
    QLabel* fps_ = nullptr;
};

} // namespace kestrel::frame
