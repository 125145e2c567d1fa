#include "window_placement.h"

#include <QDataStream>
#include <QIODevice>
#include <cstdlib>

namespace kestrel::frame {

namespace {

// The record's layout is Qt's (QWidget::saveGeometry, version 3.0).
constexpr quint32 kRecordMagic = 0x1D9D0CB;
constexpr quint16 kRecordMajor = 3;
constexpr quint16 kRecordMinor = 0;
constexpr auto kRecordStreamVersion = QDataStream::Qt_4_0;

// A normal window smaller than this is a leftover of a failed placement, not a choice.
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 240;
// Coordinates beyond this are damage.
constexpr int kMaximumCoordinate = 1 << 16;
// A window counts as reachable when this much of its top edge (where the title bar is) lies
// in a work area.
constexpr int kGripHeight = 32;
constexpr int kGripMinimumWidth = 120;
constexpr int kGripMinimumHeight = 16;
// A first start's normal window covers this share of the work area.
constexpr double kDefaultShare = 0.8;

bool Plausible(const QRect& r)
{
    return r.isValid() && r.width() >= kMinimumWidth && r.height() >= kMinimumHeight &&
           std::abs(r.left()) < kMaximumCoordinate && std::abs(r.top()) < kMaximumCoordinate &&
           r.width() < kMaximumCoordinate && r.height() < kMaximumCoordinate;
}

bool Reachable(const QRect& r, const QRect& area)
{
    const QRect grip = QRect(r.left(), r.top(), r.width(), kGripHeight).intersected(area);
    return grip.width() >= kGripMinimumWidth && grip.height() >= kGripMinimumHeight;
}

// The rectangle shrunk to the area's size and moved inside it.
QRect FitInto(QRect r, const QRect& area)
{
    r.setSize(r.size().boundedTo(area.size()));
    if (r.right() > area.right())
        r.moveRight(area.right());
    if (r.bottom() > area.bottom())
        r.moveBottom(area.bottom());
    if (r.left() < area.left())
        r.moveLeft(area.left());
    if (r.top() < area.top())
        r.moveTop(area.top());
    return r;
}

int ValidIndex(int current, const QList<ScreenArea>& screens)
{
    return current >= 0 && current < screens.size() ? current : 0;
}

std::optional<QRect> BareGeometry(WindowMode mode, const ScreenArea& screen, bool windowManager)
{
    if (windowManager)
        return std::nullopt;
    switch (mode) {
    case WindowMode::Maximized: return screen.available;
    case WindowMode::FullScreen: return screen.full;
    case WindowMode::Normal: break;
    }
    return std::nullopt;
}

} // namespace

std::optional<WindowPlacement> ReadPlacement(const QByteArray& record)
{
    QDataStream in(record);
    in.setVersion(kRecordStreamVersion);
    quint32 magic = 0;
    quint16 major = 0, minor = 0;
    in >> magic >> major >> minor;
    if (in.status() != QDataStream::Ok || magic != kRecordMagic || major < 1 || major > kRecordMajor)
        return std::nullopt;
    WindowPlacement p;
    qint32 screen = 0, screenWidth = 0;
    quint8 maximized = 0, fullScreen = 0;
    in >> p.frame >> p.normal >> screen >> maximized >> fullScreen;
    if (major >= 2)
        in >> screenWidth;
    if (major >= 3)
        in >> p.client;
    else
        p.client = p.normal;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    p.screenNumber = screen;
    p.maximized = maximized != 0;
    p.fullScreen = fullScreen != 0;
    p.screenWidth = screenWidth;
    return p;
}

QByteArray WritePlacement(const WindowPlacement& p)
{
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setVersion(kRecordStreamVersion);
    out << kRecordMagic << kRecordMajor << kRecordMinor << p.frame << p.normal << qint32(p.screenNumber)
        << quint8(p.maximized ? 1 : 0) << quint8(p.fullScreen ? 1 : 0) << qint32(p.screenWidth) << p.client;
    return record;
}

QRect DefaultNormalRect(const QRect& available)
{
    const QSize size(qMax(kMinimumWidth, int(available.width() * kDefaultShare)),
                     qMax(kMinimumHeight, int(available.height() * kDefaultShare)));
    QRect r(QPoint(0, 0), size.boundedTo(available.size()));
    r.moveCenter(available.center());
    return r;
}

QRect SaneNormalRect(const QRect& stored, const QList<ScreenArea>& screens, int current, int* screenOfRect)
{
    current = ValidIndex(current, screens);
    if (screenOfRect)
        *screenOfRect = current;
    if (screens.isEmpty())
        return Plausible(stored) ? stored : QRect(0, 0, kMinimumWidth * 2, kMinimumHeight * 2);
    if (!Plausible(stored))
        return DefaultNormalRect(screens[current].available);
    for (int i = 0; i < screens.size(); ++i) {
        if (Reachable(stored, screens[i].available)) {
            if (screenOfRect)
                *screenOfRect = i;
            return FitInto(stored, screens[i].available);
        }
    }
    // Off every screen (a monitor gone, a damaged record): same size, centred on this one.
    QRect moved(QPoint(0, 0), stored.size().boundedTo(screens[current].available.size()));
    moved.moveCenter(screens[current].available.center());
    return moved;
}

PlacementPlan PlanStart(const std::optional<WindowPlacement>& stored, const QList<ScreenArea>& screens, int current,
                        bool windowManager)
{
    PlacementPlan plan;
    plan.screen = ValidIndex(current, screens);
    if (stored) {
        plan.normal = SaneNormalRect(stored->normal, screens, current, &plan.screen);
        // Our records are of normal mode; a full-screen one came from elsewhere and means big.
        plan.mode = stored->maximized || stored->fullScreen ? WindowMode::Maximized : WindowMode::Normal;
    } else {
        plan.normal = SaneNormalRect({}, screens, current);
        plan.mode = WindowMode::Maximized;
    }
    if (!screens.isEmpty())
        plan.bareGeometry = BareGeometry(plan.mode, screens[plan.screen], windowManager);
    return plan;
}

PlacementPlan PlanMode(WindowMode mode, const QRect& normal, const QList<ScreenArea>& screens, int current,
                       bool windowManager)
{
    PlacementPlan plan;
    plan.mode = mode;
    plan.screen = ValidIndex(current, screens);
    int screenOfNormal = plan.screen;
    plan.normal = SaneNormalRect(normal, screens, current, &screenOfNormal);
    // Full screen stays on the window's screen; a maximised window goes where its normal one is.
    if (mode == WindowMode::Maximized)
        plan.screen = screenOfNormal;
    if (!screens.isEmpty())
        plan.bareGeometry = BareGeometry(mode, screens[plan.screen], windowManager);
    return plan;
}

} // namespace kestrel::frame
