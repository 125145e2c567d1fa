#include "plugframe/frame_ui.h"

#include <QApplication>
#include <QMessageBox>

#include "plugframe/dialog_fit.h"

namespace {

WarningHandler& Handler()
{
    static WarningHandler handler;
    return handler;
}

} // namespace

bool HasWidgetApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

void SetWarningHandler(WarningHandler handler) { Handler() = std::move(handler); }

void ShowWarning(QWidget* parent, const QString& text)
{
    if (Handler()) {
        Handler()(parent, text);
        return;
    }
    ShowMessageBox(parent, QMessageBox::Warning, parent ? parent->windowTitle() : QString(), text, QMessageBox::Ok);
}

// Qt offers no way to take exactly one event from the queue; one pass over what is
// pending is the nearest, and keeps the dialog painted and the Cancel button live.
void PumpPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }
