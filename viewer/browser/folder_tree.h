#pragma once
#include <QTreeView>

class QFileSystemModel;

namespace kestrel::browser {

// The "Browse" page: the folders of the file system from its root, listed as they are
// opened (the model reads folders on a thread of its own), sorted by name. Selecting a
// folder makes it the current one.
class CFolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit CFolderTree(QWidget* parent = nullptr);

    // Selects, opens the way to and shows a folder; false when it is not one.
    bool SelectFolder(const QString& path);
    QString CurrentFolder() const { return current_; }
    // Up One Level: the parent of the current folder; false at the root.
    bool SelectParent();
    // Narrow by default, so that the panel leaves the view its room; the user widens it.
    QSize sizeHint() const override;

signals:
    void folderSelected(const QString& path);

private:
    void OnCurrentChanged(const QModelIndex& index);

    QFileSystemModel* model_ = nullptr;
    QString current_;
};

} // namespace kestrel::browser
