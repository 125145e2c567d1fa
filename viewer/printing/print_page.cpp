#include "print_page.h"

#include <QPainter>
#include <QPrinter>

namespace kestrel::printing {

PixelSize PrintableArea(const QPrinter& printer)
{
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    return PrintableSize({paint.width(), paint.height()});
}

bool PaintPrintPage(QPrinter& printer, const QImage& picture)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    if (picture.isNull())
        return false; // the painter ends the empty page
    const PageRect target = PrintTargetRect(PrintableArea(printer), {picture.width(), picture.height()});
    if (target.width < 1 || target.height < 1)
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The painter's origin is the top-left corner of the printable area.
    painter.drawImage(QRect(target.x, target.y, target.width, target.height), picture);
    return painter.end();
}

} // namespace kestrel::printing
