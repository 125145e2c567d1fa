#pragma once
// Message boxes of the export and tool plug-ins that the frame's warning does not
// cover: errors, information and OK/Cancel questions. Tests install a handler that
// records the text (and answers questions) instead of showing a box.

#include <QString>

#include <functional>

class QWidget;

namespace kestrel::toolkit {

enum class MessageKind { Error, Information, Question };

// Returns the answer to a question (true for OK); other kinds return true.
using MessageHandler = std::function<bool(QWidget* parent, MessageKind kind, const QString& text)>;
void SetMessageHandler(MessageHandler handler);

void ShowError(QWidget* parent, const QString& text);
void ShowInformation(QWidget* parent, const QString& text);
// An OK/Cancel question; true when the user chose OK.
bool AskOkCancel(QWidget* parent, const QString& text);

} // namespace kestrel::toolkit
