#pragma once
#include <QHash>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "file_list_order.h"
#include "file_type_icons.h"
#include "folder_changes.h"
#include "picture.h"
#include "thumb_database.h"

class QLabel;
class QListView;
class QProgressBar;
class QStackedWidget;
class QStandardItemModel;
class QToolBar;
class QTreeView;
class QAbstractItemView;
class QStyledItemDelegate;
class QModelIndex;

namespace kestrel::browser {

class CFolderWatcher;
class CThumbnailWorker;

// The "File List" panel: the files of the current folder that the viewer opens, in one of
// five view modes, opened by selecting (double-click opens again), stepped through with
// Next and Previous File, renamed, moved to the trash, copied and pasted. Files opened
// before show their thumbnails; in thumbnail mode the missing ones are made in the
// background. A watcher keeps the list in step with changes made by other programs.
class CFileListPane : public QWidget {
    Q_OBJECT
public:
    // What the list asks of the rest of the window.
    struct Hooks {
        std::function<bool(const QString& path)> open;                   // false when it failed
        std::function<thumbnail::Picture()> thumbnail;                   // the view's picture of it
        std::function<void(const QString& text, int severity)> status;  // the status bar
        std::function<void()> toggleFullScreen;                          // Enter in the list
    };
    static constexpr int kDefaultNameWidth = 200, kDefaultSizeWidth = 65, kDefaultTypeWidth = 160;

    // `thumbFolder` holds the thumbnail files; empty means the per-user data folder.
    explicit CFileListPane(std::vector<ListedFileType> types, std::filesystem::path thumbFolder = {},
                           QWidget* parent = nullptr);
    ~CFileListPane() override;

    void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }
    // The panel's toolbar shows these commands of the window.
    void SetToolbarActions(const QList<QAction*>& actions);
    // kestrel-cli and its plug-in folder make the background thumbnails.
    void SetThumbnailMaker(const QString& program, const QString& plugIns);

    // Fills the list from the folder and watches it.
    void SetFolder(const QString& folder);
    QString Folder() const { return folder_; }
    // Refresh Folder: the folder read again and watched again.
    void Refresh();

    void SetViewMode(int mode);
    int ViewMode() const { return order_->Mode(); }
    void SetColumnWidths(const std::array<int, 3>& widths);
    std::array<int, 3> ColumnWidths() const;
    // A click on a column header in details mode.
    void SortBy(Column column);

    // Rows in the order shown.
    int Count() const;
    QString NameAt(int row) const;
    int SelectedRow() const;
    bool HasSelection() const { return SelectedRow() >= 0; }
    QString SelectedPath() const;
    // Selects a row, which opens its file as a selection by the user does.
    void SelectRow(int row);
    QString CurrentFileName() const { return currentName_; }

    // Opens the selected file; the same file again only when forced (a double-click).
    void OpenSelected(bool force);
    void NextFile();
    void PreviousFile();

    // Copy puts the selected file on the clipboard as a file list; Paste copies the
    // clipboard's files into the folder under free names.
    void CopySelected();
    bool CanPaste() const;
    void Paste();
    // Rename edits the selected name in place; the file is renamed when the edit ends.
    void StartRename();
    bool RenameSelected(const QString& newName);
    void DeleteSelected();

    // The thumbnail the list shows for a file (stored, made, or the type's default).
    QPixmap ThumbnailOf(const QString& name, int typeIndex);
    CThumbDatabase& Database() { return database_; }
    bool BackgroundThumbnailsBusy() const;
    QAbstractItemView* ActiveView() const;

signals:
    // The selection or the folder changed: the commands' states follow.
    void selectionChanged();
    void folderFilled(int count);
    // Background thumbnails: how many are done of how many.
    void thumbnailProgress(int done, int total);

private:
    void BuildViews();
    void Fill(bool keepCurrent);
    void AddRow(const FileItem& item);
    int SourceRowOf(const QString& name) const;
    QPixmap PictureFor(const QString& name, int typeIndex, int mode);
    void StartBackgroundThumbnails();
    void StoreThumbnail(const QString& path, const thumbnail::Picture& picture);
    void ApplyChanges(const QString& folder, const std::vector<FolderChange>& changes);
    void AddFile(const QString& name);
    void RemoveSourceRow(int row);
    void Status(const std::string& text, int severity);
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::vector<ListedFileType> types_;
    Hooks hooks_;
    CThumbDatabase database_;
    QHash<QString, QPixmap> thumbnails_; // by file name, for the folder shown
    QString folder_;
    QString currentName_; // the file last opened from the list
    bool filling_ = false;

    QToolBar* toolbar_ = nullptr;
    QLabel* progressText_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QListView* iconView_ = nullptr;
    QTreeView* detailsView_ = nullptr;
    QStyledItemDelegate* plainDelegate_ = nullptr;
    QStyledItemDelegate* thumbnailDelegate_ = nullptr;
    QStandardItemModel* source_ = nullptr;
    CFileListOrder* order_ = nullptr;
    CFolderWatcher* watcher_ = nullptr;
    CThumbnailWorker* worker_ = nullptr;
};

} // namespace kestrel::browser
