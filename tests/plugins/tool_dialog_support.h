#pragma once
// Recorders for the export and tool dialogs: message boxes, file dialogs, and pressing
// a dialog's OK once it runs.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

#include "dialog_test_jobs.h"
#include "temp_dir.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/tool_messages.h"

namespace kestrel::test {

// Records errors, information and questions (answering questions with `answer`), and
// the frame's warnings, while it lives.
class MessageRecorder {
public:
    MessageRecorder()
    {
        toolkit::SetMessageHandler([this](QWidget*, toolkit::MessageKind kind, const QString& text) {
            switch (kind) {
            case toolkit::MessageKind::Error:
                errors << text;
                return true;
            case toolkit::MessageKind::Information:
                information << text;
                return true;
            case toolkit::MessageKind::Question:
                questions << text;
                return answer;
            }
            return true;
        });
    }
    ~MessageRecorder() { toolkit::SetMessageHandler({}); }

    QStringList Warnings() const { return warnings_.warnings; }

    QStringList errors;
    QStringList information;
    QStringList questions;
    bool answer = true;

private:
    WarningRecorder warnings_;
};

// Answers file dialogs with `answer` and keeps the last request.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(QString answer) : answer_(std::move(answer))
    {
        toolkit::SetFileDialogHook([this](const toolkit::FileDialogRequest& request) {
            last = request;
            ++asked;
            return answer_;
        });
    }
    ~FileDialogAnswer() { toolkit::SetFileDialogHook({}); }

    toolkit::FileDialogRequest last;
    int asked = 0;

private:
    QString answer_;
};

struct OkOutcome {
    int result = QDialog::Rejected;
    bool stayedOpen = false;
    QWidget* focus = nullptr;  // while it stayed open
};

// Runs the dialog modally, presses OK (accept) once it shows, notes whether it stayed
// open and closes it if so.
inline OkOutcome ExecAndPressOk(QDialog& dialog)
{
    OkOutcome outcome;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.accept();
        outcome.stayedOpen = dialog.isVisible();
        outcome.focus = dialog.focusWidget();
        if (outcome.stayedOpen)
            dialog.reject();
    });
    outcome.result = dialog.exec();
    return outcome;
}

} // namespace kestrel::test
