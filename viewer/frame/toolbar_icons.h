#pragma once
#include <QIcon>

namespace kestrel::frame {

// Our own artwork, drawn at run time at 16 and 32 pixels so it stays sharp on HiDPI screens.
QIcon CommandIcon(int commandId);
// The status severity icons: 1 information, 2 error, 3 unexpected error; others are empty.
QIcon SeverityIcon(int severity);
// The program's icon.
QIcon ApplicationIcon();

} // namespace kestrel::frame
