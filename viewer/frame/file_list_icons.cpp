// Our own artwork of the file list's commands, in the manner of drawn_icons.cpp.
#include <QPainterPath>

#include "command_ids.h"
#include "drawn_icons.h"

namespace kestrel::frame {
namespace {

const QColor kOutline(85, 87, 83), kFill(114, 159, 207), kFolder(233, 185, 110), kArrow(78, 154, 6);
const QColor kLine(136, 138, 133), kBin(186, 189, 182), kPaper(255, 255, 255);

void Tile(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(kFill);
    p.drawRect(r);
}

void Rule(QPainter& p, double x0, double x1, double y)
{
    p.setPen(QPen(kLine, 1.0));
    p.drawLine(QPointF(x0, y), QPointF(x1, y));
}

void Folder(QPainter& p)
{
    QPainterPath path;
    path.moveTo(1.5, 4.5);
    path.lineTo(6, 4.5);
    path.lineTo(7.5, 6);
    path.lineTo(14.5, 6);
    path.lineTo(14.5, 14.5);
    path.lineTo(1.5, 14.5);
    path.closeSubpath();
    p.setPen(QPen(kFolder.darker(160), 0.8));
    p.setBrush(kFolder);
    p.drawPath(path);
}

void Arrow(QPainter& p, const QPolygonF& shape)
{
    p.setPen(QPen(kArrow.darker(150), 0.8));
    p.setBrush(kArrow);
    p.drawPolygon(shape);
}

} // namespace

IconDrawing FileListCommandDrawing(int commandId)
{
    using namespace kestrel::cmd;
    switch (commandId) {
    case kUpOneLevel:
        return [](QPainter& p) {
            Folder(p);
            Arrow(p, QPolygonF({{8, 1}, {12.5, 6}, {9.5, 6}, {9.5, 12}, {6.5, 12}, {6.5, 6}, {3.5, 6}}));
        };
    case kRefreshFolder:
        return [](QPainter& p) {
            p.setPen(QPen(kArrow.darker(120), 2.0, Qt::SolidLine, Qt::FlatCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 280 * 16);
            Arrow(p, QPolygonF({{7, 0.5}, {11, 3}, {7, 5.5}}));
        };
    case kLargeIcons:
        return [](QPainter& p) {
            for (double x : {1.5, 8.5})
                for (double y : {1.5, 8.5})
                    Tile(p, QRectF(x, y, 6, 6));
        };
    case kSmallIcons:
        return [](QPainter& p) {
            for (double y : {2.5, 7.5, 12.5}) {
                Tile(p, QRectF(1.5, y - 1.5, 3, 3));
                Rule(p, 5.5, 7, y);
                Tile(p, QRectF(8.5, y - 1.5, 3, 3));
                Rule(p, 12.5, 14.5, y);
            }
        };
    case kList:
        return [](QPainter& p) {
            for (double y : {2.5, 6.5, 10.5, 14.0}) {
                Tile(p, QRectF(1.5, y - 1.5, 3, 3));
                Rule(p, 6, 14.5, y);
            }
        };
    case kDetails:
        return [](QPainter& p) {
            p.setPen(QPen(kOutline, 0.8));
            p.setBrush(kBin);
            p.drawRect(QRectF(0.5, 1.5, 15, 3));
            for (double y : {7.0, 10.0, 13.0}) {
                Rule(p, 1, 7, y);
                Rule(p, 9, 11, y);
                Rule(p, 12.5, 15, y);
            }
        };
    case kThumbnails:
        return [](QPainter& p) {
            for (double x : {1.5, 8.5})
                for (double y : {1.5, 8.5}) {
                    p.setPen(QPen(kOutline, 0.8));
                    p.setBrush(kPaper);
                    p.drawRect(QRectF(x, y, 6, 6));
                    p.setPen(Qt::NoPen);
                    p.setBrush(kArrow);
                    p.drawPolygon(QPolygonF({{x + 1, y + 5}, {x + 3, y + 2}, {x + 5, y + 5}}));
                }
        };
    case kDelete:
        return [](QPainter& p) {
            p.setPen(QPen(kOutline, 0.8));
            p.setBrush(kBin);
            p.drawRect(QRectF(3.5, 4.5, 9, 10.5));
            p.drawRect(QRectF(2, 2.5, 12, 2));
            p.drawRect(QRectF(6.5, 1, 3, 1.5));
            for (double x : {6.0, 8.0, 10.0})
                p.drawLine(QPointF(x, 6.5), QPointF(x, 13));
        };
    case kRename:
        return [](QPainter& p) {
            p.setPen(QPen(kOutline, 0.8));
            p.setBrush(kPaper);
            p.drawRect(QRectF(0.5, 4.5, 15, 7));
            Rule(p, 2.5, 8, 8);
            p.setPen(QPen(Qt::black, 1.0));
            p.drawLine(QPointF(10.5, 2.5), QPointF(10.5, 13.5));
            p.drawLine(QPointF(9, 2.5), QPointF(12, 2.5));
            p.drawLine(QPointF(9, 13.5), QPointF(12, 13.5));
        };
    case kNextFile:
    case kPreviousFile: {
        const bool next = commandId == kNextFile;
        return [next](QPainter& p) {
            draw::Page(p, QRectF(next ? 1.5 : 5.5, 0.5, 9, 12));
            const double tip = next ? 15 : 1, base = next ? 10 : 6;
            Arrow(p, QPolygonF({{tip, 11.5}, {base, 7.5}, {base, 15.5}}));
        };
    }
    default: return {};
    }
}

} // namespace kestrel::frame
