#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "command_ids.h"

namespace kestrel::frame {

namespace {

using Draw = std::function<void(QPainter&)>;

// Draws in a 16 x 16 logical square at both sizes.
QIcon Make(const Draw& draw)
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Badge(QPainter& p, const QColor& colour, const QString& text)
{
    p.setPen(colour.darker(160));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
    QFont font = p.font();
    font.setPixelSize(text.size() > 1 ? 7 : 10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

void Polygon(QPainter& p, const QColor& colour, std::initializer_list<QPointF> points)
{
    p.setPen(QPen(colour.darker(150), 0.8));
    p.setBrush(colour);
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void Page(QPainter& p)
{
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(3, 1), QPointF(10, 1), QPointF(13, 4), QPointF(13, 15), QPointF(3, 15)}));
}

void Cube(QPainter& p, const QColor& fill, bool wire, bool dots)
{
    const QPointF front[] = {{2, 6}, {10, 6}, {10, 14}, {2, 14}};
    const QPointF back[] = {{6, 2}, {14, 2}, {14, 10}, {6, 10}};
    p.setPen(QPen(wire || dots ? fill.darker(130) : fill.darker(170), dots ? 0 : 1));
    if (!wire && !dots) {
        p.setBrush(fill.lighter(130));
        p.drawPolygon(QPolygonF({back[0], back[1], front[1], front[0]}));
        p.setBrush(fill.darker(120));
        p.drawPolygon(QPolygonF({back[1], back[2], front[2], front[1]}));
        p.setBrush(fill);
        p.drawPolygon(front, 4);
        return;
    }
    if (dots) {
        p.setBrush(fill);
        for (const QPointF& c : front)
            p.drawEllipse(c, 1.3, 1.3);
        for (const QPointF& c : back)
            p.drawEllipse(c, 1.3, 1.3);
        return;
    }
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(front, 4);
    p.drawPolygon(back, 4);
    for (int i = 0; i < 4; ++i)
        p.drawLine(front[i], back[i]);
}

void Arrow(QPainter& p, bool left)
{
    const QColor c(40, 120, 200);
    if (left)
        Polygon(p, c, {{2, 8}, {8, 2}, {8, 5}, {14, 5}, {14, 11}, {8, 11}, {8, 14}});
    else
        Polygon(p, c, {{14, 8}, {8, 2}, {8, 5}, {2, 5}, {2, 11}, {8, 11}, {8, 14}});
}

Draw ForCommand(int id)
{
    using namespace kestrel::cmd;
    const QColor green(50, 160, 60), blue(50, 100, 190), grey(120, 120, 120), red(200, 60, 50), orange(220, 140, 30);
    switch (id) {
    case kFileNew: return [](QPainter& p) { Page(p); };
    case kFileOpen:
        return [](QPainter& p) {
            Polygon(p, QColor(230, 190, 80), {{1, 4}, {6, 4}, {7, 5}, {14, 5}, {14, 14}, {1, 14}});
        };
    case kFileSave:
        return [blue](QPainter& p) {
            p.setPen(blue.darker(150));
            p.setBrush(blue);
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4, 2, 8, 5));
        };
    case kEditCopy:
        return [](QPainter& p) {
            p.setPen(QColor(90, 90, 90));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(1.5, 1.5, 8, 10));
            p.drawRect(QRectF(6.5, 4.5, 8, 10));
        };
    case kEditCut:
        return [](QPainter& p) {
            p.setPen(QPen(QColor(60, 60, 60), 1.5));
            p.drawLine(QPointF(4, 2), QPointF(11, 11));
            p.drawLine(QPointF(12, 2), QPointF(5, 11));
            p.drawEllipse(QPointF(4, 13), 2, 2);
            p.drawEllipse(QPointF(12, 13), 2, 2);
        };
    case kEditPaste:
        return [](QPainter& p) {
            Polygon(p, QColor(170, 120, 60), {{2, 3}, {13, 3}, {13, 15}, {2, 15}});
            p.setBrush(Qt::white);
            p.drawRect(QRectF(5, 6, 7, 8));
        };
    case kFilePrint:
        return [grey](QPainter& p) {
            p.setPen(grey.darker(150));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4, 1.5, 8, 6));
            p.setBrush(grey);
            p.drawRect(QRectF(1.5, 7, 13, 6));
        };
    case kSettings: return [grey](QPainter& p) { Badge(p, grey, "S"); };
    case kAbout: return [blue](QPainter& p) { Badge(p, blue, "?"); };
    case kFullScreen:
        return [](QPainter& p) {
            p.setPen(QPen(QColor(60, 60, 60), 1.5));
            p.setBrush(QColor(160, 200, 240));
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
        };
    case 32785: return [orange](QPainter& p) { Cube(p, orange, true, false); };
    case 32788: return [](QPainter& p) { Cube(p, QColor(40, 40, 40), false, true); };
    case 32789: return [blue](QPainter& p) { Cube(p, blue, false, true); };
    case 32790: return [](QPainter& p) { Cube(p, QColor(60, 60, 60), true, false); };
    case 32791: return [blue](QPainter& p) { Cube(p, blue, true, false); };
    case 32792: return [](QPainter& p) { Cube(p, QColor(150, 150, 150), false, false); };
    case 32793: return [](QPainter& p) { Cube(p, QColor(120, 160, 210), false, false); };
    case 32794: return [green](QPainter& p) { Cube(p, green, false, false); };
    case 32795:
        return [green](QPainter& p) {
            Cube(p, green, false, false);
            p.setPen(QPen(Qt::black, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(6, 2), QPointF(14, 2), QPointF(14, 10), QPointF(10, 14), QPointF(2, 14)}));
        };
    case kMeshSolid: return [](QPainter& p) { Cube(p, QColor(190, 120, 70), false, false); };
    case 32812: case 32813: case 32814:
        return [](QPainter& p) {
            p.setPen(QColor(80, 80, 80));
            for (int i = 0; i <= 4; ++i) {
                p.drawLine(QPointF(2 + 3 * i, 4), QPointF(2 + 3 * i, 14));
                p.drawLine(QPointF(2, 4 + 2.5 * i), QPointF(14, 4 + 2.5 * i));
            }
        };
    case kAxes:
        return [](QPainter& p) {
            p.setPen(QPen(Qt::red, 1.5));
            p.drawLine(QPointF(3, 13), QPointF(14, 13));
            p.setPen(QPen(QColor(0, 160, 0), 1.5));
            p.drawLine(QPointF(3, 13), QPointF(3, 2));
            p.setPen(QPen(Qt::blue, 1.5));
            p.drawLine(QPointF(3, 13), QPointF(9, 7));
        };
    case kNormals:
        return [](QPainter& p) {
            p.setPen(QPen(QColor(0, 160, 0), 1.5));
            for (int x : {4, 8, 12})
                p.drawLine(QPointF(x, 13), QPointF(x, 4));
            p.setPen(QPen(QColor(80, 80, 80), 1.5));
            p.drawLine(QPointF(1, 13), QPointF(15, 13));
        };
    case kBackFaces: return [grey](QPainter& p) { Badge(p, grey, "BF"); };
    case kPlay: return [green](QPainter& p) { Polygon(p, green, {{4, 2}, {13, 8}, {4, 14}}); };
    case kPause:
        return [blue](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(blue);
            p.drawRect(QRectF(3, 2, 4, 12));
            p.drawRect(QRectF(9, 2, 4, 12));
        };
    case kStop:
        return [red](QPainter& p) {
            p.setPen(red.darker(150));
            p.setBrush(red);
            p.drawRect(QRectF(3, 3, 10, 10));
        };
    case kLoopBack: return [blue](QPainter& p) { Polygon(p, blue, {{2, 8}, {8, 3}, {8, 13}}); Polygon(p, blue, {{8, 8}, {14, 3}, {14, 13}}); };
    case kLoopNext: return [blue](QPainter& p) { Polygon(p, blue, {{14, 8}, {8, 3}, {8, 13}}); Polygon(p, blue, {{8, 8}, {2, 3}, {2, 13}}); };
    case kStepBack: return [green](QPainter& p) { Polygon(p, green, {{4, 8}, {13, 3}, {13, 13}}); p.drawRect(QRectF(2, 3, 1.5, 10)); };
    case kStepForward: return [green](QPainter& p) { Polygon(p, green, {{12, 8}, {3, 3}, {3, 13}}); p.drawRect(QRectF(12.5, 3, 1.5, 10)); };
    case kSpeedUp: return [orange](QPainter& p) { Badge(p, orange, "+"); };
    case kSlowDown: return [orange](QPainter& p) { Badge(p, orange, "-"); };
    case kRotateLeft: return [](QPainter& p) { Arrow(p, true); };
    case kRotateRight: return [](QPainter& p) { Arrow(p, false); };
    case kFlipVertical: return [blue](QPainter& p) { Polygon(p, blue, {{8, 1}, {13, 7}, {3, 7}}); Polygon(p, blue.lighter(150), {{8, 15}, {13, 9}, {3, 9}}); };
    case kFlipHorizontal: return [blue](QPainter& p) { Polygon(p, blue, {{1, 8}, {7, 3}, {7, 13}}); Polygon(p, blue.lighter(150), {{15, 8}, {9, 3}, {9, 13}}); };
    case kGrayscale:
        return [](QPainter& p) {
            for (int i = 0; i < 4; ++i) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(40 + 60 * i, 40 + 60 * i, 40 + 60 * i));
                p.drawRect(QRectF(1 + 3.5 * i, 2, 3.5, 12));
            }
        };
    case kInvert:
        return [](QPainter& p) {
            p.setPen(QColor(40, 40, 40));
            p.setBrush(Qt::black);
            p.drawPie(QRectF(2, 2, 12, 12), 90 * 16, 180 * 16);
            p.setBrush(Qt::white);
            p.drawPie(QRectF(2, 2, 12, 12), -90 * 16, 180 * 16);
        };
    case kNormalMap: return [](QPainter& p) { Badge(p, QColor(128, 128, 255), "N"); };
    case kToggleAlpha:
        return [](QPainter& p) {
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    p.fillRect(QRectF(2 + 3 * x, 2 + 3 * y, 3, 3), (x + y) % 2 ? QColor(200, 200, 200) : Qt::white);
        };
    case kFitWindow: return [grey](QPainter& p) { Badge(p, grey, "[ ]"); };
    case kActualSize: return [grey](QPainter& p) { Badge(p, grey, "1:1"); };
    case kZoomIn: return [grey](QPainter& p) { Badge(p, grey, "+"); };
    case kZoomOut: return [grey](QPainter& p) { Badge(p, grey, "-"); };
    case kCameraFront: return [blue](QPainter& p) { Badge(p, blue, "F"); };
    case kCameraBack: return [blue](QPainter& p) { Badge(p, blue, "Bk"); };
    case kCameraTop: return [blue](QPainter& p) { Badge(p, blue, "T"); };
    case kCameraBottom: return [blue](QPainter& p) { Badge(p, blue, "Bt"); };
    case kCameraLeft: return [blue](QPainter& p) { Badge(p, blue, "L"); };
    case kCameraRight: return [blue](QPainter& p) { Badge(p, blue, "R"); };
    case kSnapClipboard: return [green](QPainter& p) { Badge(p, green, "C"); };
    case kSnapFile: return [green](QPainter& p) { Badge(p, green, "J"); };
    case kRecordAvi: return [red](QPainter& p) { p.setPen(Qt::NoPen); p.setBrush(red); p.drawEllipse(QRectF(3, 3, 10, 10)); };
    default: return {};
    }
}

} // namespace

QIcon CommandIcon(int commandId)
{
    const Draw draw = ForCommand(commandId);
    return draw ? Make(draw) : QIcon();
}

QIcon SeverityIcon(int severity)
{
    switch (severity) {
    case 1: return Make([](QPainter& p) { Badge(p, QColor(40, 110, 200), "i"); });
    case 2: return Make([](QPainter& p) { Badge(p, QColor(200, 40, 40), "x"); });
    case 3:
        return Make([](QPainter& p) {
            Polygon(p, QColor(240, 190, 30), {{8, 1}, {15, 15}, {1, 15}});
            p.setPen(Qt::black);
            QFont font = p.font();
            font.setPixelSize(10);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRectF(0, 4, 16, 12), Qt::AlignCenter, "!");
        });
    default: return {};
    }
}

QIcon ApplicationIcon()
{
    return Make([](QPainter& p) {
        // A kestrel's wing over a cube: two strokes and a face.
        Cube(p, QColor(190, 120, 70), false, false);
        p.setPen(QPen(QColor(60, 40, 20), 1.3));
        p.drawLine(QPointF(1, 4), QPointF(8, 1));
        p.drawLine(QPointF(8, 1), QPointF(15, 4));
    });
}

} // namespace kestrel::frame
