#pragma once
// Paths between Qt's text and the file system's bytes. A Linux file name is any string of
// bytes; the program's own conversions carry bytes that are not UTF-8 as escapes, so that
// such a file opens from the command line, and Qt's file dialogs, which show such bytes as
// U+FFFD, are mapped back to the names really in the folder.

#include <QString>
#include <string>

namespace kestrel::platform {

// The bytes the file system knows `path` by.
std::string LocalPath(const QString& path);

// The text for a path of the file system, keeping every byte.
QString PathFromLocal(const std::string& bytes);

} // namespace kestrel::platform
