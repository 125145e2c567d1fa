#include "folder_tree.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>

#include "start_folder.h"

namespace kestrel::browser {
namespace {
constexpr int kPreferredWidth = 120;
constexpr int kIndentation = 12;
}

CFolderTree::CFolderTree(QWidget* parent) : QTreeView(parent)
{
    setObjectName("folderTree");
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    model_->setRootPath(QStringLiteral("/"));
    setModel(model_);
    // Folders only: the size, type and date columns say nothing here.
    for (int column = 1; column < model_->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    // Whole names and a sideways scroll bar rather than deep folders cut to "...".
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setIndentation(kIndentation);
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
    setUniformRowHeights(true);
    setAnimated(false);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { OnCurrentChanged(index); });
}

bool CFolderTree::SelectFolder(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return false;
    const QModelIndex index = model_->index(info.absoluteFilePath());
    if (!index.isValid())
        return false;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        expand(up);
    setCurrentIndex(index);
    scrollTo(index);
    return true;
}

QSize CFolderTree::sizeHint() const
{
    return QSize(kPreferredWidth, QTreeView::sizeHint().height());
}

bool CFolderTree::SelectParent()
{
    const std::string parent = ParentFolder(current_.toStdString());
    return !parent.empty() && SelectFolder(QString::fromStdString(parent));
}

void CFolderTree::OnCurrentChanged(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const QString path = model_->filePath(index);
    if (path == current_)
        return;
    current_ = path;
    emit folderSelected(path);
}

} // namespace kestrel::browser
