#pragma once
// The open and save file dialogs of the plug-ins. Filters are given in the
// "Description|patterns|...||" form the plug-ins share with their other hosts and are
// turned into Qt's form here. Tests install a hook that answers instead of a dialog.

#include <QString>

#include <functional>

class QWidget;

namespace kestrel::toolkit {

struct FileDialogRequest {
    bool save = true;
    QString filter;         // as given, "Text Log (*.log)|*.log|All Files (*.*)|*.*||"
    QString defaultSuffix;  // save dialogs: added to a name typed without one
};

// Returns the chosen path, or an empty string when the user cancelled.
using FileDialogHook = std::function<QString(const FileDialogRequest& request)>;
void SetFileDialogHook(FileDialogHook hook);

// "Description (*.a;*.b)|*.a;*.b|..." -> "Description (*.a *.b);;..."; "*.*" becomes "*".
QString QtFilterFromPairs(const QString& pairs);

// Save: asks before overwriting; the folder must exist.
QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix);
QString AskOpenFileName(QWidget* parent, const QString& filter);

} // namespace kestrel::toolkit
