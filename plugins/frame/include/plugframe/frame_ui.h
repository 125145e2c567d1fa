#pragma once
// User-interface helpers of the plug-in frame.

#include <QString>

#include <functional>

class QWidget;

// True when the host runs a widget application; plug-ins with dialogs need one and
// return PLUGIN_RESULT_DONE without showing anything otherwise.
bool HasWidgetApplication();

// Warnings of the frame's dialogs go through this handler; by default a warning
// message box. Tests install one that records the text instead.
using WarningHandler = std::function<void(QWidget* parent, const QString& text)>;
void SetWarningHandler(WarningHandler handler);
void ShowWarning(QWidget* parent, const QString& text);

// Dispatches what is pending in the host's event loop, once; the pump of jobs that
// run in a progress dialog.
void PumpPendingEvents();
