#pragma once
#include <QImage>

#include "print_layout.h"

namespace kestrel::view {
class CKestrelDoc;
}

namespace kestrel::printing {

// The largest side the off-screen context can draw; 0 when it cannot be had.
int MaxPictureSide();

// The document drawn off screen at `picture` pixels as its view of `view` pixels shows it,
// on white. Null when no off-screen context can be had or the document shows nothing to
// print. Leaves no context current, so the window's own context can be made current again.
QImage DrawPrintPicture(view::CKestrelDoc& doc, PixelSize picture, PixelSize view);

} // namespace kestrel::printing
