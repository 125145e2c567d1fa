#include "folder_tree.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QStandardItemModel>

#include "start_folder.h"

namespace kestrel::browser {
namespace {

constexpr int kPreferredWidth = 120;
constexpr int kIndentation = 12;
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kListedRole = Qt::UserRole + 2;
constexpr int kPlaceholderRole = Qt::UserRole + 3;
constexpr char kRootPath[] = "/";
constexpr char kNewFolderText[] = "New Folder";

QIcon FolderIcon()
{
    static const QIcon icon = QFileIconProvider().icon(QFileIconProvider::Folder);
    return icon;
}

bool IsInside(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder.endsWith('/') ? folder : folder + '/');
}

} // namespace

CFolderTree::CFolderTree(QWidget* parent) : QTreeView(parent)
{
    setObjectName("folderTree");
    model_ = new QStandardItemModel(0, 1, this);
    setModel(model_);
    header()->hide();
    // Whole names and a sideways scroll bar rather than deep folders cut to "...".
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setIndentation(kIndentation);
    setUniformRowHeights(true);
    setAnimated(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    AddFolderItem(model_->invisibleRootItem(), QString::fromLatin1(kRootPath), QString::fromLatin1(kRootPath));
    const QString home = QDir::cleanPath(QDir::homePath());
    if (home != kRootPath && QFileInfo(home).isDir())
        AddFolderItem(model_->invisibleRootItem(), QDir(home).dirName(), home)
            ->setIcon(QFileIconProvider().icon(QFileIconProvider::Folder));
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        ListChildren(model_->itemFromIndex(index));
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { OnCurrentChanged(index); });
    connect(itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
        if (naming_.isValid())
            FinishNewFolder(model_->itemFromIndex(naming_)->text().trimmed());
    });
}

QStandardItem* CFolderTree::AddFolderItem(QStandardItem* parent, const QString& name, const QString& path)
{
    auto* item = new QStandardItem(FolderIcon(), name);
    item->setData(path, kPathRole);
    item->setEditable(false);
    // Every folder may hold others until it is opened: listing each child's children
    // ahead would read the whole level below.
    auto* placeholder = new QStandardItem;
    placeholder->setData(true, kPlaceholderRole);
    placeholder->setEnabled(false);
    item->appendRow(placeholder);
    parent->appendRow(item);
    return item;
}

void CFolderTree::ListChildren(QStandardItem* item)
{
    if (!item || item->data(kListedRole).toBool())
        return;
    item->setData(true, kListedRole);
    item->removeRows(0, item->rowCount());
    const QString path = item->data(kPathRole).toString();
    const QFileInfoList folders =
        QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QFileInfo& folder : folders)
        AddFolderItem(item, folder.fileName(), QDir::cleanPath(folder.absoluteFilePath()));
}

QStandardItem* CFolderTree::ItemFor(const QString& path)
{
    // The home's own branch for what lies in it, else the way down from the root.
    QStandardItem* item = nullptr;
    QString base;
    for (int row = model_->rowCount() - 1; row >= 0 && !item; --row) {
        QStandardItem* root = model_->item(row);
        const QString rootPath = root->data(kPathRole).toString();
        if (IsInside(path, rootPath)) {
            item = root;
            base = rootPath;
        }
    }
    if (!item)
        return nullptr;
    const QStringList parts = path.mid(base.size()).split('/', Qt::SkipEmptyParts);
    const auto childNamed = [](QStandardItem* parent, const QString& name) -> QStandardItem* {
        for (int row = 0; row < parent->rowCount(); ++row)
            if (parent->child(row)->text() == name)
                return parent->child(row);
        return nullptr;
    };
    for (const QString& part : parts) {
        ListChildren(item);
        QStandardItem* next = childNamed(item, part);
        if (!next) {
            // Made since the folder was listed: read it again.
            item->setData(false, kListedRole);
            ListChildren(item);
            next = childNamed(item, part);
        }
        if (!next)
            return nullptr;
        item = next;
    }
    return item;
}

bool CFolderTree::SelectFolder(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return false;
    QStandardItem* item = ItemFor(QDir::cleanPath(info.absoluteFilePath()));
    if (!item)
        return false;
    const QModelIndex index = item->index();
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

bool CFolderTree::StartNewFolder()
{
    QStandardItem* parent = ItemFor(current_);
    if (!parent || naming_.isValid() || !QFileInfo(current_).isWritable())
        return false;
    expand(parent->index());
    ListChildren(parent);
    auto* item = new QStandardItem(FolderIcon(), QString::fromLatin1(kNewFolderText));
    item->setData(true, kPlaceholderRole);
    parent->appendRow(item);
    naming_ = item->index();
    scrollTo(naming_);
    edit(naming_);
    return true;
}

bool CFolderTree::FinishNewFolder(const QString& name)
{
    if (!naming_.isValid())
        return false;
    QStandardItem* item = model_->itemFromIndex(naming_);
    QStandardItem* parent = item->parent();
    const QString folder = parent->data(kPathRole).toString();
    naming_ = QPersistentModelIndex();
    parent->removeRow(item->row());
    if (name.isEmpty())
        return false;
    if (name.contains('/') || !QDir(folder).mkdir(name)) {
        emit failed(QStringLiteral("Cannot create the folder \"%1\" in %2").arg(name, folder));
        return false;
    }
    // The parent is read again, so the new folder takes its place among the others.
    parent->setData(false, kListedRole);
    ListChildren(parent);
    return SelectFolder(QDir(folder).filePath(name));
}

void CFolderTree::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid())
        setCurrentIndex(index);
    QMenu menu(this);
    QAction* create = menu.addAction(QStringLiteral("New Folder"));
    create->setEnabled(!current_.isEmpty() && QFileInfo(current_).isWritable());
    connect(create, &QAction::triggered, this, [this] { StartNewFolder(); });
    menu.exec(event->globalPos());
}

void CFolderTree::OnCurrentChanged(const QModelIndex& index)
{
    if (!index.isValid() || index.data(kPlaceholderRole).toBool())
        return;
    const QString path = index.data(kPathRole).toString();
    if (path.isEmpty() || path == current_)
        return;
    current_ = path;
    emit folderSelected(path);
}

} // namespace kestrel::browser
