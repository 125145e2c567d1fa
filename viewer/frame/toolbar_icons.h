#pragma once
#include <QIcon>
#include <QString>

namespace kestrel::frame {

// A command's icon: the desktop icon theme's where the free desktop naming has one, else (and
// where the theme lacks it) our own artwork, drawn at run time so it stays sharp on HiDPI screens.
QIcon CommandIcon(int commandId);
// The standard icon name looked up for a command; empty when there is none.
QString CommandIconThemeName(int commandId);
// The status severity icons: 1 information, 2 error, 3 unexpected error; others are empty.
QIcon SeverityIcon(int severity);
// The program's icon.
QIcon ApplicationIcon();

} // namespace kestrel::frame
