#pragma once
#include <QIcon>
#include <QPainter>
#include <functional>

namespace kestrel::frame {

// Pictograms drawn in a 16 x 16 square, in the manner of a desktop icon theme: a dark outline,
// a light top-lit fill.
using IconDrawing = std::function<void(QPainter&)>;

// The drawing made into an icon of 16, 24 and 32 pixels, so it stays sharp on dense screens.
QIcon MakeIcon(const IconDrawing& draw);

// Our own artwork of a command; empty for commands without one.
QIcon DrawnCommandIcon(int commandId);
// The file list's commands (file_list_icons.cpp); empty for other commands.
IconDrawing FileListCommandDrawing(int commandId);

// Shared pieces of the artwork.
namespace draw {
void Page(QPainter& p, const QRectF& r);
void Cube(QPainter& p, const QColor& fill, bool wire, bool dots);
void Lens(QPainter& p);
} // namespace draw

} // namespace kestrel::frame
