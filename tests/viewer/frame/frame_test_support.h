#pragma once
#include <QApplication>
#include <QElapsedTimer>
#include <QDockWidget>
#include <QScreen>
#include <QTabWidget>
#include <QThread>
#include <functional>
#include <memory>

#include "main_frame.h"
#include "window_manager.h"

namespace kestrel::test {

// A frame created as at start-up, without plug-ins and splash window.
inline std::unique_ptr<frame::CMainFrame> CreateFrame()
{
    auto frame = std::make_unique<frame::CMainFrame>(frame::CMainFrame::Options{"/nonexistent", false});
    frame->Create();
    return frame;
}

// The pages of a tabbed panel ("Folders", "Statistics").
inline QTabWidget* PanelTabs(const frame::CMainFrame& frame, int panelId)
{
    QDockWidget* panel = frame.Panel(panelId);
    return panel ? qobject_cast<QTabWidget*>(panel->widget()) : nullptr;
}

// A window manager answers in its own time; without one the answer is there at once.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
    return done();
}

// The same for a window's placement: a window manager answers one request with several
// events, so a placement may hold for a moment and change again. It counts once it has held
// for a while. A window manager on a busy machine may take its time.
inline bool WaitForSteady(const std::function<bool()>& done, int milliseconds = 8000)
{
    constexpr int kSteadyMilliseconds = 150;
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer held;
    bool holding = false;
    while (clock.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!done()) {
            holding = false;
        } else if (!holding) {
            holding = true;
            held.start();
        } else if (held.elapsed() >= kSteadyMilliseconds) {
            return true;
        }
        QThread::msleep(5);
    }
    return done();
}

// The window covers the screen's work area: the window itself without a window manager,
// the window with its decorations with one.
inline bool FillsWorkArea(const QWidget& window)
{
    const QRect area = window.screen()->availableGeometry();
    if (!frame::HasWindowManager())
        return window.geometry() == area;
    const QRect outer = window.frameGeometry();
    constexpr int kSlack = 8;
    return area.contains(outer) && outer.width() >= area.width() - kSlack && outer.height() >= area.height() - kSlack;
}

inline const char* DesktopKind()
{
    return frame::HasWindowManager() ? "wm" : "no_wm";
}

} // namespace kestrel::test
