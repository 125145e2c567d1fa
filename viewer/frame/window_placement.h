#pragma once
#include <QByteArray>
#include <QList>
#include <QRect>
#include <optional>

namespace kestrel::frame {

// A window's placement as the settings keep it: the record QWidget::saveGeometry writes, so
// that placements stored by earlier builds still read.
struct WindowPlacement {
    QRect frame;  // with the window manager's decorations
    QRect normal; // the client area when neither maximised nor full screen
    QRect client; // the client area as it was
    int screenNumber = 0;
    bool maximized = false;
    bool fullScreen = false;
    int screenWidth = 0;
};

// Nothing when the record is damaged or of an unknown version.
std::optional<WindowPlacement> ReadPlacement(const QByteArray& record);
QByteArray WritePlacement(const WindowPlacement& placement);

// One screen: its whole area and the part free of panels and docks.
struct ScreenArea {
    QRect full;
    QRect available;
};

enum class WindowMode { Normal, Maximized, FullScreen };

// What the frame applies: the mode, the normal-mode rectangle (so the window manager knows
// where to return), and, where no window manager acts on the mode, the rectangle the window
// takes itself: the work area or the whole screen.
struct PlacementPlan {
    WindowMode mode = WindowMode::Maximized;
    QRect normal;
    int screen = 0; // index into the screens given
    std::optional<QRect> bareGeometry;
};

// The normal-mode rectangle of a first start: centred on the work area.
QRect DefaultNormalRect(const QRect& available);

// A stored normal rectangle made usable: kept when it is sane and visible on one of the
// screens, else moved (and shrunk) onto the current screen, else the default.
QRect SaneNormalRect(const QRect& stored, const QList<ScreenArea>& screens, int current, int* screenOfRect = nullptr);

// Normal mode at the start: the stored placement; none (the first start): maximised.
PlacementPlan PlanStart(const std::optional<WindowPlacement>& stored, const QList<ScreenArea>& screens, int current,
                        bool windowManager);

// A mode entered while running (full screen, or normal mode again with the placement it had).
PlacementPlan PlanMode(WindowMode mode, const QRect& normal, const QList<ScreenArea>& screens, int current,
                       bool windowManager);

} // namespace kestrel::frame
