// Our own toolbar artwork, used where the desktop's icon theme has no icon of the command.
#include "drawn_icons.h"

#include <QIconEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <array>
#include <cmath>

#include "command_ids.h"

namespace kestrel::frame {

namespace {

// The palette of the free desktop icon themes.
const QColor kPaper(255, 255, 255), kPaperShade(211, 215, 207), kLines(136, 138, 133);
const QColor kMetal(186, 189, 182), kDark(85, 87, 83), kInk(46, 52, 54);
const QColor kSky(52, 101, 164), kLightSky(114, 159, 207);
const QColor kGreen(115, 210, 22), kRed(204, 0, 0), kOrange(245, 121, 0), kButter(237, 212, 0);
const QColor kWood(193, 125, 17), kTan(233, 185, 110);

constexpr int kIconSizes[] = {16, 24, 32};

QPen Edge(const QColor& c, double width = 1.0)
{
    QPen pen(c, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// Lit from above: lighter at the top of the shape.
QBrush TopLit(const QColor& c, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, c.lighter(140));
    g.setColorAt(1, c);
    return g;
}

void Shape(QPainter& p, const QColor& c, const QPainterPath& path)
{
    p.setPen(Edge(c.darker(165)));
    p.setBrush(TopLit(c, path.boundingRect()));
    p.drawPath(path);
}

QPainterPath Poly(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath Rounded(const QRectF& r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void TextLines(QPainter& p, double left, double right, double top, int count)
{
    p.setPen(Edge(kLines, 0.8));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + 2 * i), QPointF(right, top + 2 * i));
}

QPainterPath Star(QPointF centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 ? inner : outer;
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        i ? path.lineTo(pt) : path.moveTo(pt);
    }
    path.closeSubpath();
    return path;
}

// Clockwise quarter-turn arrow; mirrored for counter-clockwise.
void TurnArrow(QPainter& p, bool counterClockwise)
{
    p.save();
    if (counterClockwise) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.arcMoveTo(QRectF(2.5, 3.5, 10, 10), 180);
    arc.arcTo(QRectF(2.5, 3.5, 10, 10), 180, -250);
    p.setPen(Edge(kSky.darker(130), 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Edge(kLightSky, 1.2));
    p.drawPath(arc);
    Shape(p, kSky, Poly({{9.5, 11}, {14.5, 10.5}, {12.5, 15.5}}));
    p.restore();
}

void Mirror(QPainter& p, bool vertical)
{
    p.save();
    if (!vertical) {
        p.translate(16, 0);
        p.rotate(90);
    }
    Shape(p, kSky, Poly({{3, 6.5}, {13, 6.5}, {8, 1.5}}));
    p.setPen(Edge(kDark, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Poly({{3, 9.5}, {13, 9.5}, {8, 14.5}}));
    QPen dash = Edge(kRed, 0.9);
    dash.setDashPattern({1.5, 1.5});
    p.setPen(dash);
    p.drawLine(QPointF(0.5, 8), QPointF(15.5, 8));
    p.restore();
}

// Transport controls: a triangle pointing left or right, bars, doubled triangles.
QPainterPath Triangle(double from, double to, double top = 3, double bottom = 13)
{
    return Poly({{from, top}, {to, (top + bottom) / 2}, {from, bottom}});
}

void Speedometer(QPainter& p, bool fast)
{
    Shape(p, kMetal, [] {
        QPainterPath dial;
        dial.moveTo(1.5, 12.5);
        dial.arcTo(QRectF(1.5, 3.5, 13, 18), 180, -180);
        dial.closeSubpath();
        return dial;
    }());
    p.setPen(Edge(kInk, 0.8));
    for (int i = 0; i <= 4; ++i) {
        const double a = M_PI - i * M_PI / 4;
        p.drawLine(QPointF(8 + 5 * std::cos(a), 12.5 - 5 * std::sin(a)), QPointF(8 + 6 * std::cos(a), 12.5 - 6 * std::sin(a)));
    }
    const double a = fast ? M_PI / 5 : M_PI * 4 / 5;
    p.setPen(Edge(kRed, 1.6));
    p.drawLine(QPointF(8, 12.5), QPointF(8 + 5 * std::cos(a), 12.5 - 5 * std::sin(a)));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(8, 12.5), 1.3, 1.3);
}

enum class Zoom { In, Out, Actual, Fit };

void Magnifier(QPainter& p, Zoom zoom)
{
    draw::Lens(p);
    p.setPen(Edge(kInk, 1.4));
    switch (zoom) {
    case Zoom::In:
        p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
        p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
        break;
    case Zoom::Out: p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5)); break;
    case Zoom::Actual:
        p.setPen(Edge(kInk, 0.9));
        p.setBrush(kSky);
        p.drawRect(QRectF(5, 5, 3, 3));
        break;
    case Zoom::Fit:
        p.setPen(Edge(kInk, 0.9));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4, 4.5, 5, 4));
        break;
    }
}

// A cube seen from the front, above and right, one face marked: the camera presets.
enum Face { kFront, kBack, kTop, kBottom, kLeft, kRight };

void CubeFace(QPainter& p, Face face)
{
    const QPointF f[] = {{2, 6}, {10, 6}, {10, 14}, {2, 14}};  // front: tl tr br bl
    const QPointF b[] = {{6, 2}, {14, 2}, {14, 10}, {6, 10}}; // back
    const QPolygonF faces[] = {QPolygonF({f[0], f[1], f[2], f[3]}), QPolygonF({b[0], b[1], b[2], b[3]}),
                               QPolygonF({b[0], b[1], f[1], f[0]}), QPolygonF({b[3], b[2], f[2], f[3]}),
                               QPolygonF({f[0], b[0], b[3], f[3]}), QPolygonF({f[1], b[1], b[2], f[2]})};
    const bool hidden = face == kBack || face == kBottom || face == kLeft;
    // The body, faintly, so the marked face reads as part of a solid.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kLightSky.red(), kLightSky.green(), kLightSky.blue(), 70));
    p.drawPolygon(QPolygonF({f[0], b[0], b[1], b[2], f[2], f[3]}));
    QColor mark = kOrange;
    mark.setAlpha(hidden ? 150 : 230);
    p.setBrush(mark);
    p.drawPolygon(faces[face]);
    QPen dashed = Edge(kDark, 0.8);
    dashed.setDashPattern({1.5, 1.5});
    p.setPen(dashed);
    p.drawLine(b[3], b[0]);
    p.drawLine(b[3], b[2]);
    p.drawLine(b[3], f[3]);
    p.setPen(Edge(kInk, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(faces[kFront]);
    p.drawPolyline(QPolygonF({f[0], b[0], b[1], b[2], f[2]}));
    p.drawLine(f[1], b[1]);
}

void Camera(QPainter& p)
{
    Shape(p, kDark, Poly({{5, 5.5}, {6.5, 3.5}, {10.5, 3.5}, {12, 5.5}}));
    Shape(p, kDark, Rounded(QRectF(1.5, 5.5, 14, 9), 1.5));
    p.setPen(Edge(kInk));
    p.setBrush(TopLit(kLightSky, QRectF(5.5, 7, 6, 6)));
    p.drawEllipse(QPointF(8.5, 10), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kButter);
    p.drawRect(QRectF(2.5, 6.5, 2, 1.5));
}

IconDrawing ForCommand(int id)
{
    using namespace kestrel::cmd;
    switch (id) {
    // Files and the clipboard
    case kFileNew:
        return [](QPainter& p) {
            draw::Page(p, QRectF(2.5, 1.5, 10, 14));
            Shape(p, kButter, Star(QPointF(11.5, 4.5), 4, 1.8));
        };
    case kFileOpen:
        return [](QPainter& p) {
            Shape(p, kTan, Poly({{1.5, 2.5}, {6, 2.5}, {7.5, 4.5}, {13.5, 4.5}, {13.5, 13.5}, {1.5, 13.5}}));
            p.setPen(Edge(kLines, 0.8));
            p.setBrush(kPaper);
            p.drawRect(QRectF(3.5, 5.5, 9, 5));
            Shape(p, QColor(245, 210, 140), Poly({{1.5, 13.5}, {3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}}));
        };
    case kFileSave:
        return [](QPainter& p) {
            Shape(p, kSky, Rounded(QRectF(1.5, 1.5, 13, 13), 1.5));
            p.setPen(Edge(kLines, 0.8));
            p.setBrush(kPaper);
            p.drawRect(QRectF(3.5, 1.5, 9, 6));
            TextLines(p, 5, 11, 3.5, 2);
            Shape(p, kMetal, QPainterPath([] {
                      QPainterPath r;
                      r.addRect(QRectF(4.5, 10.5, 7, 4));
                      return r;
                  }()));
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawRect(QRectF(9, 11.3, 1.5, 2.5));
        };
    case kEditCut:
        return [](QPainter& p) {
            p.setPen(Edge(kDark, 1.6));
            p.drawLine(QPointF(5.5, 9.5), QPointF(11.5, 1.5));
            p.drawLine(QPointF(10.5, 9.5), QPointF(4.5, 1.5));
            p.setPen(Edge(kRed.darker(120), 1.6));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(4.5, 12), 2.3, 2.3);
            p.drawEllipse(QPointF(11.5, 12), 2.3, 2.3);
            p.setPen(Qt::NoPen);
            p.setBrush(kMetal);
            p.drawEllipse(QPointF(8, 5.5), 1, 1);
        };
    case kEditCopy:
        return [](QPainter& p) {
            draw::Page(p, QRectF(1.5, 0.5, 9, 11));
            TextLines(p, 3.5, 8, 3.5, 3);
            draw::Page(p, QRectF(5.5, 4.5, 9, 11));
            TextLines(p, 7.5, 12.5, 7.5, 3);
        };
    case kEditPaste:
        return [](QPainter& p) {
            Shape(p, kWood, Rounded(QRectF(2.5, 2.5, 11, 13), 1.5));
            p.setPen(Edge(kLines, 0.8));
            p.setBrush(kPaper);
            p.drawRect(QRectF(4.5, 5.5, 7, 8.5));
            TextLines(p, 6, 10, 7.5, 3);
            Shape(p, kMetal, Rounded(QRectF(5.5, 1, 5, 3), 1));
        };
    case kFilePrint:
        return [](QPainter& p) {
            p.setPen(Edge(kLines, 0.8));
            p.setBrush(kPaper);
            p.drawRect(QRectF(4.5, 1.5, 7, 5));
            Shape(p, kMetal, Rounded(QRectF(1.5, 5.5, 13, 7), 1.5));
            p.setPen(Edge(kLines, 0.8));
            p.setBrush(kPaper);
            p.drawRect(QRectF(4.5, 10.5, 7, 4.5));
            TextLines(p, 6, 10, 12.5, 1);
            p.setPen(Qt::NoPen);
            p.setBrush(kGreen);
            p.drawEllipse(QPointF(12.5, 7.5), 0.9, 0.9);
        };
    case kSettings:
        return [](QPainter& p) {
            QPainterPath gear;
            constexpr int kTeeth = 8;
            for (int i = 0; i < kTeeth * 4; ++i) {
                const double a = i * M_PI / (kTeeth * 2);
                const double r = (i % 4 < 2) ? 7.2 : 5.2;
                const QPointF pt(8 + r * std::cos(a), 8 + r * std::sin(a));
                i ? gear.lineTo(pt) : gear.moveTo(pt);
            }
            gear.closeSubpath();
            gear.addEllipse(QPointF(8, 8), 2.2, 2.2);
            Shape(p, kMetal, gear);
        };
    case kAbout:
        return [](QPainter& p) {
            Shape(p, kSky, [] {
                QPainterPath c;
                c.addEllipse(QPointF(8, 8), 7, 7);
                return c;
            }());
            p.setPen(Qt::NoPen);
            p.setBrush(kPaper);
            p.drawEllipse(QPointF(8, 4.6), 1.3, 1.3);
            p.drawRoundedRect(QRectF(6.9, 6.8, 2.2, 6.2), 0.8, 0.8);
        };
    case kFullScreen:
        return [](QPainter& p) {
            Shape(p, kDark, Rounded(QRectF(0.5, 1.5, 15, 11), 1));
            p.setPen(Qt::NoPen);
            p.setBrush(TopLit(kSky, QRectF(2, 3, 12, 8)));
            p.drawRect(QRectF(2, 3, 12, 8));
            p.setPen(Edge(kPaper, 1.2));
            for (const auto& [x, y, dx, dy] : {std::array{3.5, 4.5, 1.0, 1.0}, {12.5, 4.5, -1.0, 1.0},
                                                {3.5, 9.5, 1.0, -1.0}, {12.5, 9.5, -1.0, -1.0}}) {
                p.drawLine(QPointF(x, y), QPointF(x + 2.5 * dx, y));
                p.drawLine(QPointF(x, y), QPointF(x, y + 2 * dy));
            }
            Shape(p, kMetal, Poly({{5.5, 12.5}, {10.5, 12.5}, {11.5, 15}, {4.5, 15}}));
        };
    // Render modes, from bounding boxes to textured solids
    case kMeshBoundingBoxes:
        return [](QPainter& p) {
            draw::Cube(p, QColor(150, 150, 150), false, false);
            QPen dash = Edge(kOrange.darker(110), 1.0);
            dash.setDashPattern({1.5, 1.2});
            p.setPen(dash);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(0.5, 0.5, 15, 15));
        };
    case kMeshVertices: return [](QPainter& p) { draw::Cube(p, kInk, false, true); };
    case kMeshShadedVertices: return [](QPainter& p) { draw::Cube(p, kSky, false, true); };
    case kMeshWireframe: return [](QPainter& p) { draw::Cube(p, kInk, true, false); };
    case kMeshShadedWireframe: return [](QPainter& p) { draw::Cube(p, kSky, true, false); };
    case kMeshFlat: return [](QPainter& p) { draw::Cube(p, QColor(150, 150, 150), false, false); };
    case kMeshSmooth:
        return [](QPainter& p) {
            QRadialGradient g(QPointF(7, 6), 8);
            g.setColorAt(0, kPaper);
            g.setColorAt(1, kSky);
            p.setPen(Edge(kSky.darker(150)));
            p.setBrush(g);
            p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        };
    case kMeshCelShaded: return [](QPainter& p) { draw::Cube(p, kGreen, false, false); };
    case kMeshCelOutline:
        return [](QPainter& p) {
            draw::Cube(p, kGreen, false, false);
            p.setPen(Edge(Qt::black, 1.4));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(6, 2), QPointF(14, 2), QPointF(14, 10), QPointF(10, 14),
                                     QPointF(2, 14)}));
        };
    case kMeshSolid:
        return [](QPainter& p) {
            draw::Cube(p, kWood, false, false);
            // A checker texture on the front face.
            p.setPen(Qt::NoPen);
            p.setBrush(kTan);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    if ((x + y) % 2)
                        p.drawRect(QRectF(2.5 + 1.9 * x, 6.5 + 1.9 * y, 1.9, 1.9));
        };
    case kGridWireframe: case kGridSolid: case kGridTransparent:
        return [](QPainter& p) {
            // A floor grid in perspective.
            p.setPen(Edge(kDark, 0.8));
            for (int i = 0; i <= 4; ++i) {
                const double t = i / 4.0;
                p.drawLine(QPointF(4 + 8 * t, 4), QPointF(1 + 14 * t, 14));
                const double y = 4 + 10 * t * t; // rows closer together towards the horizon
                const double half = 4 + 3 * (y - 4) / 10;
                p.drawLine(QPointF(8 - half, y), QPointF(8 + half, y));
            }
        };
    case kAxes:
        return [](QPainter& p) {
            const QPointF o(4, 12);
            p.setPen(Edge(kRed, 1.5));
            p.drawLine(o, QPointF(14.5, 12));
            p.setPen(Edge(QColor(78, 154, 6), 1.5));
            p.drawLine(o, QPointF(4, 1.5));
            p.setPen(Edge(kSky, 1.5));
            p.drawLine(o, QPointF(1, 15));
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawEllipse(o, 1.2, 1.2);
        };
    case kNormals:
        return [](QPainter& p) {
            Shape(p, kMetal, Poly({{0.5, 12.5}, {15.5, 12.5}, {13.5, 15.5}, {2.5, 15.5}}));
            for (double x : {4.0, 8.0, 12.0}) {
                p.setPen(Edge(QColor(78, 154, 6), 1.3));
                p.drawLine(QPointF(x, 12.5), QPointF(x, 4));
                Shape(p, kGreen, Poly({{x - 2, 5}, {x, 1.5}, {x + 2, 5}}));
            }
        };
    case kBackFaces:
        return [](QPainter& p) {
            // A sheet with a corner turned over: its back side shows.
            Shape(p, kLightSky, Poly({{1.5, 3.5}, {14.5, 1.5}, {14.5, 8.5}, {8.5, 14.5}, {1.5, 14.5}}));
            Shape(p, QColor(150, 150, 150), Poly({{14.5, 8.5}, {8.5, 14.5}, {8, 8}}));
        };
    // Animation
    case kPlay: return [](QPainter& p) { Shape(p, kGreen, Triangle(4, 13.5, 2, 14)); };
    case kPause:
        return [](QPainter& p) {
            Shape(p, kSky, Rounded(QRectF(3.5, 2.5, 3.5, 11), 1));
            Shape(p, kSky, Rounded(QRectF(9, 2.5, 3.5, 11), 1));
        };
    case kStop: return [](QPainter& p) { Shape(p, kRed, Rounded(QRectF(2.5, 2.5, 11, 11), 1.5)); };
    case kLoopBack:
        return [](QPainter& p) {
            Shape(p, kSky, Rounded(QRectF(1.5, 3, 2, 10), 0.5));
            Shape(p, kSky, Triangle(9, 4));
            Shape(p, kSky, Triangle(14.5, 9.5));
        };
    case kLoopNext:
        return [](QPainter& p) {
            Shape(p, kSky, Triangle(1.5, 6.5));
            Shape(p, kSky, Triangle(7, 12));
            Shape(p, kSky, Rounded(QRectF(12.5, 3, 2, 10), 0.5));
        };
    case kStepBack:
        return [](QPainter& p) {
            Shape(p, kGreen, Triangle(11, 3.5, 4, 12));
            Shape(p, kGreen, Rounded(QRectF(11.5, 4, 2.5, 8), 0.5));
        };
    case kStepForward:
        return [](QPainter& p) {
            Shape(p, kGreen, Rounded(QRectF(2, 4, 2.5, 8), 0.5));
            Shape(p, kGreen, Triangle(5, 12.5, 4, 12));
        };
    case kSpeedUp: return [](QPainter& p) { Speedometer(p, true); };
    case kSlowDown: return [](QPainter& p) { Speedometer(p, false); };
    // Images
    case kRotateLeft: return [](QPainter& p) { TurnArrow(p, true); };
    case kRotateRight: return [](QPainter& p) { TurnArrow(p, false); };
    case kFlipVertical: return [](QPainter& p) { Mirror(p, true); };
    case kFlipHorizontal: return [](QPainter& p) { Mirror(p, false); };
    case kGrayscale:
        return [](QPainter& p) {
            QLinearGradient g(QPointF(2, 0), QPointF(14, 0));
            g.setColorAt(0, kInk);
            g.setColorAt(1, kPaper);
            p.setPen(Edge(kDark));
            p.setBrush(g);
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
        };
    case kInvert:
        return [](QPainter& p) {
            p.setPen(Edge(kInk));
            p.setBrush(kInk);
            p.drawPie(QRectF(1.5, 1.5, 13, 13), 90 * 16, 180 * 16);
            p.setBrush(kPaper);
            p.drawPie(QRectF(1.5, 1.5, 13, 13), -90 * 16, 180 * 16);
        };
    case kNormalMap:
        return [](QPainter& p) {
            p.setPen(Edge(QColor(90, 90, 200)));
            p.setBrush(QColor(128, 128, 255));
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            QRadialGradient g(QPointF(6, 6), 7);
            g.setColorAt(0, QColor(200, 220, 255));
            g.setColorAt(0.5, QColor(150, 140, 255));
            g.setColorAt(1, QColor(90, 60, 200));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(QPointF(8, 8), 5, 5);
        };
    case kToggleAlpha:
        return [](QPainter& p) {
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    p.fillRect(QRectF(2 + 3 * x, 2 + 3 * y, 3, 3), (x + y) % 2 ? kPaperShade : kPaper);
            p.setPen(Edge(kLines, 0.8));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(2, 2, 12, 12));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(204, 0, 0, 130));
            p.drawEllipse(QPointF(9, 9), 4.5, 4.5);
        };
    case kFitWindow: return [](QPainter& p) { Magnifier(p, Zoom::Fit); };
    case kActualSize: return [](QPainter& p) { Magnifier(p, Zoom::Actual); };
    case kZoomIn: return [](QPainter& p) { Magnifier(p, Zoom::In); };
    case kZoomOut: return [](QPainter& p) { Magnifier(p, Zoom::Out); };
    // Camera presets
    case kCameraFront: return [](QPainter& p) { CubeFace(p, kFront); };
    case kCameraBack: return [](QPainter& p) { CubeFace(p, kBack); };
    case kCameraTop: return [](QPainter& p) { CubeFace(p, kTop); };
    case kCameraBottom: return [](QPainter& p) { CubeFace(p, kBottom); };
    case kCameraLeft: return [](QPainter& p) { CubeFace(p, kLeft); };
    case kCameraRight: return [](QPainter& p) { CubeFace(p, kRight); };
    // Pictures of the view
    case kSnapClipboard:
        return [](QPainter& p) {
            Shape(p, kWood, Rounded(QRectF(5.5, 0.5, 10, 10), 1));
            Camera(p);
        };
    case kSnapFile:
        return [](QPainter& p) {
            draw::Page(p, QRectF(6.5, 0.5, 9, 10));
            Camera(p);
        };
    case kRecordAvi:
        return [](QPainter& p) {
            Shape(p, kRed, [] {
                QPainterPath c;
                c.addEllipse(QPointF(8, 8), 5.5, 5.5);
                return c;
            }());
        };
    default: return {};
    }
}

} // namespace

namespace {

QIcon DrawnNow(const IconDrawing& draw)
{
    QIcon icon;
    for (int size : kIconSizes) {
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

// Draws the icon the first time it is shown or asked for its pixels: most commands' icons are
// never shown (menus show none), and drawing them all took most of the window's set-up.
class LazyDrawnIcon final : public QIconEngine {
public:
    explicit LazyDrawnIcon(IconDrawing draw) : draw_(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Drawn().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Drawn().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Drawn().pixmap(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : kIconSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("KestrelDrawnIcon"); }
    QIconEngine* clone() const override { return new LazyDrawnIcon(*this); }

private:
    const QIcon& Drawn()
    {
        if (drawn_.isNull())
            drawn_ = DrawnNow(draw_);
        return drawn_;
    }

    IconDrawing draw_;
    QIcon drawn_;
};

} // namespace

QIcon MakeIcon(const IconDrawing& draw) { return QIcon(new LazyDrawnIcon(draw)); }

QIcon DrawnCommandIcon(int commandId)
{
    IconDrawing draw = ForCommand(commandId);
    if (!draw)
        draw = FileListCommandDrawing(commandId);
    return draw ? MakeIcon(draw) : QIcon();
}

namespace draw {

void Page(QPainter& p, const QRectF& r)
{
    constexpr double kFold = 3;
    Shape(p, kPaperShade.lighter(110),
          Poly({r.topLeft(), {r.right() - kFold, r.top()}, {r.right(), r.top() + kFold}, r.bottomRight(), r.bottomLeft()}));
    p.setBrush(kPaperShade);
    p.drawPath(Poly({{r.right() - kFold, r.top()}, {r.right() - kFold, r.top() + kFold}, {r.right(), r.top() + kFold}}));
}

void Cube(QPainter& p, const QColor& fill, bool wire, bool dots)
{
    const QPointF front[] = {{2, 6}, {10, 6}, {10, 14}, {2, 14}};
    const QPointF back[] = {{6, 2}, {14, 2}, {14, 10}, {6, 10}};
    if (dots) {
        p.setPen(Edge(fill.darker(150), 0.6));
        p.setBrush(fill);
        for (const QPointF& c : front)
            p.drawEllipse(c, 1.4, 1.4);
        for (const QPointF& c : back)
            p.drawEllipse(c, 1.4, 1.4);
        return;
    }
    if (wire) {
        p.setPen(Edge(fill, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(front, 4);
        p.drawPolygon(back, 4);
        for (int i = 0; i < 4; ++i)
            p.drawLine(front[i], back[i]);
        return;
    }
    p.setPen(Edge(fill.darker(170)));
    p.setBrush(fill.lighter(135));
    p.drawPolygon(QPolygonF({back[0], back[1], front[1], front[0]}));
    p.setBrush(fill.darker(120));
    p.drawPolygon(QPolygonF({back[1], back[2], front[2], front[1]}));
    p.setBrush(fill);
    p.drawPolygon(front, 4);
}

void Lens(QPainter& p)
{
    p.setPen(Edge(kDark, 2.6));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
    QRadialGradient glass(QPointF(5, 5), 6);
    glass.setColorAt(0, kPaper);
    glass.setColorAt(1, kLightSky.lighter(150));
    p.setPen(Edge(kDark, 1.4));
    p.setBrush(glass);
    p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
}

} // namespace draw

} // namespace kestrel::frame
