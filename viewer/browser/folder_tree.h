#pragma once
#include <QPersistentModelIndex>
#include <QTreeView>

class QStandardItem;
class QStandardItemModel;

namespace kestrel::browser {

// The "Browse" page: the folders of the file system from its root and from the user's
// home, each listed when it is opened, folders only, sorted by name. Selecting a folder
// makes it the current one. New Folder adds an item to name in place; the folder is made
// when the name is given, and the item goes when the name is left empty.
class CFolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit CFolderTree(QWidget* parent = nullptr);

    // Selects, opens the way to and shows a folder; false when it is not one.
    bool SelectFolder(const QString& path);
    QString CurrentFolder() const { return current_; }
    // Up One Level: the parent of the current folder; false at the root.
    bool SelectParent();
    // Starts naming a new folder inside the current one; false where it cannot be written.
    bool StartNewFolder();
    // Ends naming it: an empty name removes the item; false when the folder was not made.
    bool FinishNewFolder(const QString& name);
    // Narrow by default, so that the panel leaves the view its room; the user widens it.
    QSize sizeHint() const override;

signals:
    void folderSelected(const QString& path);
    // A folder could not be made (the reason, for the status bar).
    void failed(const QString& message);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QStandardItem* AddFolderItem(QStandardItem* parent, const QString& name, const QString& path);
    void ListChildren(QStandardItem* item);
    QStandardItem* ItemFor(const QString& path);
    void OnCurrentChanged(const QModelIndex& index);

    QStandardItemModel* model_ = nullptr;
    QString current_;
    QPersistentModelIndex naming_; // the new folder's item while it is being named
};

} // namespace kestrel::browser
