#include "toolkit/tool_messages.h"

#include <QMessageBox>
#include <QWidget>

#include "plugframe/dialog_fit.h"

namespace kestrel::toolkit {

namespace {

MessageHandler& Handler()
{
    static MessageHandler handler;
    return handler;
}

bool Show(QWidget* parent, MessageKind kind, const QString& text)
{
    if (Handler())
        return Handler()(parent, kind, text);
    const QString title = parent ? parent->windowTitle() : QString();
    switch (kind) {
    case MessageKind::Error:
        ShowMessageBox(parent, QMessageBox::Critical, title, text, QMessageBox::Ok);
        return true;
    case MessageKind::Information:
        ShowMessageBox(parent, QMessageBox::Information, title, text, QMessageBox::Ok);
        return true;
    case MessageKind::Question:
        return ShowMessageBox(parent, QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Ok) == QMessageBox::Ok;
    }
    return true;
}

} // namespace

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

void ShowError(QWidget* parent, const QString& text) { Show(parent, MessageKind::Error, text); }

void ShowInformation(QWidget* parent, const QString& text) { Show(parent, MessageKind::Information, text); }

bool AskOkCancel(QWidget* parent, const QString& text) { return Show(parent, MessageKind::Question, text); }

} // namespace kestrel::toolkit
