// The file list's edits: clipboard, rename, trash, and changes made by other programs.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QListView>
#include <QMimeData>
#include <QStandardItemModel>
#include <QUrl>

#include "file_list_pane.h"
#include "file_operations.h"

namespace kestrel::browser {
namespace {

constexpr int kSeverityInfo = 0, kSeverityError = 3;
// File managers of GNOME and its kin paste from this rather than from the plain list.
constexpr char kFileManagerFormat[] = "x-special/gnome-copied-files";

QStringList LocalFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

} // namespace

void CFileListPane::CopySelected()
{
    const QString path = SelectedPath();
    if (path.isEmpty())
        return;
    auto* data = new QMimeData;
    const QUrl url = QUrl::fromLocalFile(path);
    data->setUrls({url});
    data->setData(kFileManagerFormat, "copy\n" + url.toEncoded());
    data->setText(path);
    QApplication::clipboard()->setMimeData(data);
    Status("Copied \"" + QFileInfo(path).fileName().toStdString() + "\" to the clipboard", kSeverityInfo);
}

bool CFileListPane::CanPaste() const
{
    return !folder_.isEmpty() && !LocalFiles(QApplication::clipboard()->mimeData()).isEmpty();
}

void CFileListPane::Paste()
{
    const QStringList files = LocalFiles(QApplication::clipboard()->mimeData());
    if (folder_.isEmpty() || files.isEmpty())
        return;
    std::vector<std::string> sources;
    for (const QString& file : files)
        sources.push_back(file.toStdString());
    const std::vector<FileOutcome> outcomes = CopyFilesInto(folder_.toStdString(), sources);
    int pasted = 0;
    const FileOutcome* failure = nullptr;
    for (const FileOutcome& outcome : outcomes) {
        if (outcome.ok)
            ++pasted;
        else if (!failure)
            failure = &outcome;
    }
    if (pasted > 0)
        Refresh();
    if (failure)
        Status(failure->message, kSeverityError);
    else if (outcomes.size() == 1)
        Status(outcomes.front().message, kSeverityInfo);
    else
        Status("Pasted " + std::to_string(pasted) + " files", kSeverityInfo);
}

void CFileListPane::StartRename()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    QAbstractItemView* view = ActiveView();
    const QModelIndex index = order_->index(row, kNameColumn);
    view->setCurrentIndex(index);
    view->edit(index);
}

bool CFileListPane::RenameSelected(const QString& newName)
{
    const int row = SelectedRow();
    if (row < 0)
        return false;
    const QString oldName = NameAt(row);
    const FileOutcome outcome = RenameFile(folder_.toStdString(), oldName.toStdString(), newName.toStdString());
    if (!outcome.ok) {
        Status(outcome.message, kSeverityError);
        return false;
    }
    const QString name = QString::fromStdString(outcome.name);
    const int sourceRow = SourceRowOf(oldName);
    if (sourceRow >= 0)
        source_->item(sourceRow, kNameColumn)->setText(name);
    if (thumbnails_.contains(oldName))
        thumbnails_.insert(name, thumbnails_.take(oldName));
    if (currentName_ == oldName)
        currentName_ = name;
    Status(outcome.message, kSeverityInfo);
    return true;
}

void CFileListPane::DeleteSelected()
{
    const QString path = SelectedPath();
    if (path.isEmpty())
        return;
    const FileOutcome outcome = MoveFileToTrash(path.toStdString());
    if (!outcome.ok) {
        Status(outcome.message, kSeverityError);
        return;
    }
    const QString name = QFileInfo(path).fileName();
    const int row = SourceRowOf(name);
    if (row >= 0)
        RemoveSourceRow(row);
    thumbnails_.remove(name);
    if (currentName_ == name)
        currentName_.clear();
    Status(outcome.message, kSeverityInfo);
}

void CFileListPane::RemoveSourceRow(int row)
{
    // The view would move the selection to a neighbour, which would open it.
    const bool wasFilling = filling_;
    filling_ = true;
    if (SelectedRow() >= 0 && order_->mapToSource(order_->index(SelectedRow(), kNameColumn)).row() == row)
        iconView_->selectionModel()->clear();
    source_->removeRow(row);
    filling_ = wasFilling;
    emit selectionChanged();
}

void CFileListPane::AddFile(const QString& name)
{
    const QFileInfo info(QDir(folder_).filePath(name));
    if (!info.isFile())
        return;
    const std::string sizeText = SizeText(uint64_t(info.size()));
    const int existing = SourceRowOf(name);
    if (existing >= 0) {
        source_->item(existing, kSizeColumn)->setText(QString::fromStdString(sizeText));
        return;
    }
    for (size_t t = 0; t < types_.size(); ++t) {
        if (HasExtension(name.toStdString(), types_[t].type.extension)) {
            AddRow(FileItem{name.toStdString(), sizeText, types_[t].type.description, t});
            emit folderFilled(Count());
            return;
        }
    }
}

void CFileListPane::ApplyChanges(const QString& folder, const std::vector<FolderChange>& changes)
{
    if (QDir::cleanPath(folder) != folder_)
        return;
    for (const FolderChange& change : changes) {
        const QString name = QString::fromStdString(change.name);
        switch (change.kind) {
        case ChangeKind::Renamed: {
            const QString oldName = QString::fromStdString(change.oldName);
            const int row = SourceRowOf(oldName);
            if (row < 0) {
                AddFile(name);
                break;
            }
            bool listed = false;
            for (const ListedFileType& type : types_)
                listed = listed || HasExtension(change.name, type.type.extension);
            if (!listed || SourceRowOf(name) >= 0) {
                RemoveSourceRow(row);
            } else {
                source_->item(row, kNameColumn)->setText(name);
                if (thumbnails_.contains(oldName))
                    thumbnails_.insert(name, thumbnails_.take(oldName));
            }
            if (currentName_ == oldName)
                currentName_ = listed ? name : QString();
            break;
        }
        case ChangeKind::Added: AddFile(name); break;
        case ChangeKind::Removed: {
            const int row = SourceRowOf(name);
            if (row >= 0)
                RemoveSourceRow(row);
            thumbnails_.remove(name);
            break;
        }
        case ChangeKind::Modified:
            if (name.isEmpty())
                Refresh();
            else
                AddFile(name);
            break;
        }
    }
}

} // namespace kestrel::browser
