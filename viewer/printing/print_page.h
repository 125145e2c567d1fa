#pragma once
#include <QImage>

#include "print_layout.h"

class QPrinter;

namespace kestrel::printing {

// The page's printable area in the printer's device units, less the margins.
PixelSize PrintableArea(const QPrinter& printer);

// Prints one page with the picture stretched into its place. False when the page cannot be
// painted: the painter does not start, or there is no picture (the page stays empty).
bool PaintPrintPage(QPrinter& printer, const QImage& picture);

} // namespace kestrel::printing
