#include "file_list_order.h"

#include <algorithm>

namespace kestrel::browser {

bool IsViewMode(int mode)
{
    return mode >= kLargeIconsMode && mode <= kThumbnailsMode;
}

CFileListOrder::CFileListOrder(QObject* parent) : QSortFilterProxyModel(parent)
{
    // Renames and additions from the watcher take their place at once.
    setDynamicSortFilter(true);
    sort(0, Qt::AscendingOrder);
}

void CFileListOrder::SetMode(int mode)
{
    if (!IsViewMode(mode) || mode == mode_)
        return;
    mode_ = mode;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void CFileListOrder::SortBy(Column column)
{
    auto it = std::find_if(keys_.begin(), keys_.end(), [column](const SortKey& k) { return k.column == column; });
    if (it == keys_.begin()) {
        it->descending = !it->descending;
    } else {
        SortKey key{column, false};
        if (it != keys_.end())
            keys_.erase(it);
        keys_.insert(keys_.begin(), key);
    }
    invalidate();
}

void CFileListOrder::PictureChanged(const QModelIndex& index)
{
    emit dataChanged(index, index, {Qt::DecorationRole});
}

FileItem CFileListOrder::ItemAt(int sourceRow) const
{
    const QAbstractItemModel* source = sourceModel();
    FileItem item;
    item.name = source->index(sourceRow, kNameColumn).data().toString().toStdString();
    item.sizeText = source->index(sourceRow, kSizeColumn).data().toString().toStdString();
    item.typeText = source->index(sourceRow, kTypeColumn).data().toString().toStdString();
    return item;
}

bool CFileListOrder::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return CompareItems(ItemAt(left.row()), ItemAt(right.row()), keys_) < 0;
}

QVariant CFileListOrder::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DecorationRole && index.column() == kNameColumn && picture_) {
        const QModelIndex name = mapToSource(index);
        return picture_(name.data().toString(), name.data(kTypeIndexRole).toInt(), mode_);
    }
    if (role == Qt::TextAlignmentRole && index.column() == kSizeColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QSortFilterProxyModel::data(index, role);
}

bool CFileListOrder::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != kNameColumn)
        return QSortFilterProxyModel::setData(index, value, role);
    const QString oldName = index.data().toString(), newName = value.toString().trimmed();
    if (newName.isEmpty() || newName == oldName)
        return false;
    // The renamer renames the file and, when that worked, the row.
    return renamer_ ? renamer_(oldName, newName) : QSortFilterProxyModel::setData(index, newName, role);
}

} // namespace kestrel::browser
