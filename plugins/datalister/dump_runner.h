#pragma once
// The data dump's user interface: a save-file dialog, then the progress dialog.

#include <QString>

#include "tessera/tessera.h"

class QWidget;

namespace kestrel::datalister {

inline constexpr const char* kDumpFilter = "Text Log (*.log)|*.log|All Files (*.*)|*.*||";

// Runs the dump into path in the progress dialog "Export Process"; the dialog's result
// (Accepted when it finished uncancelled). A file that cannot be written shows
// "Error writing file!".
int RunDumpWithProgress(const skModel* model, const QString& path, QWidget* parent = nullptr);

// Asks for the file, then runs the dump; false when the user cancelled the file dialog.
bool AskAndDump(const skModel* model, QWidget* parent = nullptr);

} // namespace kestrel::datalister
