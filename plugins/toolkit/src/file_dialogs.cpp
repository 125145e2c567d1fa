#include "toolkit/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace kestrel::toolkit {

namespace {

FileDialogHook& Hook()
{
    static FileDialogHook hook;
    return hook;
}

QString Run(QWidget* parent, const FileDialogRequest& request)
{
    if (Hook())
        return Hook()(request);
    QFileDialog dialog(parent);
    dialog.setNameFilter(QtFilterFromPairs(request.filter));
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

void SetFileDialogHook(FileDialogHook hook) { Hook() = std::move(hook); }

QString QtFilterFromPairs(const QString& pairs)
{
    const QStringList parts = pairs.split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const qsizetype open = description.lastIndexOf('(');
        if (open > 0)
            description = description.left(open).trimmed();
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern == "*.*")
                pattern = "*";
        filters << description + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    return Run(parent, {true, filter, defaultSuffix});
}

QString AskOpenFileName(QWidget* parent, const QString& filter) { return Run(parent, {false, filter, {}}); }

} // namespace kestrel::toolkit
