#pragma once
#include <QPixmap>
#include <QSortFilterProxyModel>
#include <functional>
#include <vector>

#include "file_list_rules.h"

namespace kestrel::browser {

// The file list's view modes, as the settings and the menu commands number them.
enum ViewMode { kLargeIconsMode = 1, kSmallIconsMode = 2, kListMode = 3, kDetailsMode = 4, kThumbnailsMode = 5 };
bool IsViewMode(int mode);

// Which type a row's file belongs to, on the name column of the rows.
constexpr int kTypeIndexRole = Qt::UserRole + 1;

// The rows as the list shows them: ordered by the sort keys with the list's rules, and
// pictured as the view mode asks (type icons, or thumbnails looked up when first shown).
// A name edited in the list goes to the renamer, which renames the file and then the row.
class CFileListOrder : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using Picture = std::function<QPixmap(const QString& name, int typeIndex, int mode)>;
    using Renamer = std::function<bool(const QString& oldName, const QString& newName)>;

    explicit CFileListOrder(QObject* parent = nullptr);

    void SetPicture(Picture picture) { picture_ = std::move(picture); }
    void SetRenamer(Renamer renamer) { renamer_ = std::move(renamer); }
    void SetMode(int mode);
    int Mode() const { return mode_; }

    // A click on a column's header: it becomes the first key, or turns round when it is.
    void SortBy(Column column);
    const std::vector<SortKey>& Keys() const { return keys_; }
    // The row's pictures changed (a new thumbnail).
    void PictureChanged(const QModelIndex& index);

    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    FileItem ItemAt(int sourceRow) const;

    Picture picture_;
    Renamer renamer_;
    int mode_ = kLargeIconsMode;
    std::vector<SortKey> keys_{SortKey{kNameColumn, false}};
};

} // namespace kestrel::browser
