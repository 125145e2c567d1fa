#include "toolbar_icons.h"

#include <QPainterPath>

#include "command_ids.h"
#include "drawn_icons.h"

namespace kestrel::frame {

namespace {

// The free desktop icon naming of the commands that have a standard icon.
const char* ThemeName(int id)
{
    using namespace kestrel::cmd;
    switch (id) {
    case kFileNew: return "document-new";
    case kFileOpen: return "document-open";
    case kFileSave: return "document-save";
    case kFilePrint: return "document-print";
    case kEditCut: return "edit-cut";
    case kEditCopy: return "edit-copy";
    case kEditPaste: return "edit-paste";
    case kSettings: return "preferences-system";
    case kAbout: return "help-about";
    case kFullScreen: return "view-fullscreen";
    case kPlay: return "media-playback-start";
    case kPause: return "media-playback-pause";
    case kStop: return "media-playback-stop";
    case kLoopBack: return "media-skip-backward";
    case kLoopNext: return "media-skip-forward";
    case kRecordAvi: return "media-record";
    case kRotateLeft: return "object-rotate-left";
    case kRotateRight: return "object-rotate-right";
    case kFlipVertical: return "object-flip-vertical";
    case kFlipHorizontal: return "object-flip-horizontal";
    case kFitWindow: return "zoom-fit-best";
    case kActualSize: return "zoom-original";
    case kZoomIn: return "zoom-in";
    case kZoomOut: return "zoom-out";
    default: return nullptr;
    }
}

void Badge(QPainter& p, const QColor& colour)
{
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
}

} // namespace

QIcon CommandIcon(int commandId)
{
    const QIcon drawn = DrawnCommandIcon(commandId);
    const char* name = ThemeName(commandId);
    return name ? QIcon::fromTheme(QString::fromLatin1(name), drawn) : drawn;
}

QString CommandIconThemeName(int commandId)
{
    const char* name = ThemeName(commandId);
    return name ? QString::fromLatin1(name) : QString();
}

QIcon SeverityIcon(int severity)
{
    switch (severity) {
    case 1:
        return MakeIcon([](QPainter& p) {
            Badge(p, QColor(52, 101, 164));
            p.drawEllipse(QPointF(8, 8), 7, 7);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8, 4.6), 1.3, 1.3);
            p.drawRoundedRect(QRectF(6.9, 6.8, 2.2, 6.2), 0.8, 0.8);
        });
    case 2:
        return MakeIcon([](QPainter& p) {
            Badge(p, QColor(204, 0, 0));
            p.drawEllipse(QPointF(8, 8), 7, 7);
            p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(5, 5), QPointF(11, 11));
            p.drawLine(QPointF(11, 5), QPointF(5, 11));
        });
    case 3:
        return MakeIcon([](QPainter& p) {
            Badge(p, QColor(237, 212, 0));
            QPainterPath sign;
            sign.addPolygon(QPolygonF({QPointF(8, 1), QPointF(15, 14.5), QPointF(1, 14.5)}));
            sign.closeSubpath();
            p.drawPath(sign);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(46, 52, 54));
            p.drawRoundedRect(QRectF(7, 5, 2, 5.5), 0.8, 0.8);
            p.drawEllipse(QPointF(8, 12.3), 1.1, 1.1);
        });
    default: return {};
    }
}

QIcon ApplicationIcon()
{
    return MakeIcon([](QPainter& p) {
        // A kestrel's wing over a cube: two strokes and a face.
        draw::Cube(p, QColor(190, 120, 70), false, false);
        p.setPen(QPen(QColor(60, 40, 20), 1.3));
        p.drawLine(QPointF(1, 4), QPointF(8, 1));
        p.drawLine(QPointF(8, 1), QPointF(15, 4));
    });
}

} // namespace kestrel::frame
