#include "file_list_pane.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QStandardItemModel>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "folder_watcher.h"
#include "thumbnail_delegate.h"
#include "thumbnail_geometry.h"
#include "thumbnail_worker.h"

namespace kestrel::browser {
namespace {

constexpr int kSmallIcon = 16, kLargeIcon = 32;
constexpr QSize kLargeIconCell(90, 64);
constexpr int kSmallIconCellWidth = 180;
constexpr int kToolbarIcon = 16;
const char* const kHeaders[] = {"Name", "Size", "Type"};

std::u16string KeyPath(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name).toStdU16String();
}

} // namespace

CFileListPane::CFileListPane(std::vector<ListedFileType> types, std::filesystem::path thumbFolder, QWidget* parent)
    : QWidget(parent), types_(std::move(types)),
      database_(thumbFolder.empty() ? CThumbDatabase() : CThumbDatabase(std::move(thumbFolder)))
{
    setObjectName("fileListPane");
    BuildViews();
    watcher_ = new CFolderWatcher(this);
    connect(watcher_, &CFolderWatcher::changed, this,
            [this](const QString& folder, const std::vector<FolderChange>& changes) { ApplyChanges(folder, changes); });
    SetViewMode(kLargeIconsMode);
}

CFileListPane::~CFileListPane()
{
    // The watcher's thread and the thumbnail process end before the list goes.
    delete worker_;
    delete watcher_;
    // The views outlive this object's members otherwise, and would ask it for pictures.
    order_->SetPicture({});
    order_->SetRenamer({});
    delete stack_;
}

void CFileListPane::BuildViews()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("fileListBar");
    toolbar_->setIconSize(QSize(kToolbarIcon, kToolbarIcon));
    progressText_ = new QLabel(this);
    progressText_->setObjectName("thumbnailProgressText");
    progress_ = new QProgressBar(this);
    progress_->setObjectName("thumbnailProgress");
    progress_->setMaximumWidth(160);
    progress_->setTextVisible(false);
    progressText_->hide();
    progress_->hide();
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 4, 0);
    bar->addWidget(toolbar_, 1);
    bar->addWidget(progressText_);
    bar->addWidget(progress_);
    layout->addLayout(bar);

    source_ = new QStandardItemModel(0, 3, this);
    for (int column = 0; column < 3; ++column)
        source_->setHorizontalHeaderItem(column, new QStandardItem(QString::fromLatin1(kHeaders[column])));
    order_ = new CFileListOrder(this);
    order_->setSourceModel(source_);
    order_->SetPicture([this](const QString& name, int type, int mode) { return PictureFor(name, type, mode); });
    order_->SetRenamer([this](const QString&, const QString& newName) { return RenameSelected(newName); });

    stack_ = new QStackedWidget(this);
    iconView_ = new QListView(stack_);
    iconView_->setObjectName("fileListIcons");
    iconView_->setModel(order_);
    iconView_->setResizeMode(QListView::Adjust);
    iconView_->setMovement(QListView::Static);
    iconView_->setSelectionMode(QAbstractItemView::SingleSelection);
    iconView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    plainDelegate_ = new QStyledItemDelegate(iconView_);
    thumbnailDelegate_ = new CThumbnailDelegate(iconView_);
    detailsView_ = new QTreeView(stack_);
    detailsView_->setObjectName("fileListDetails");
    detailsView_->setModel(order_);
    detailsView_->setSelectionModel(iconView_->selectionModel());
    detailsView_->setRootIsDecorated(false);
    detailsView_->setItemsExpandable(false);
    detailsView_->setUniformRowHeights(true);
    detailsView_->setAllColumnsShowFocus(true);
    detailsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    detailsView_->setSelectionMode(QAbstractItemView::SingleSelection);
    detailsView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    detailsView_->setIconSize(QSize(kSmallIcon, kSmallIcon));
    QHeaderView* header = detailsView_->header();
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(kNameColumn, Qt::AscendingOrder);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    source_->horizontalHeaderItem(kSizeColumn)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) { SortBy(Column(column)); });
    SetColumnWidths({kDefaultNameWidth, kDefaultSizeWidth, kDefaultTypeWidth});
    stack_->addWidget(iconView_);
    stack_->addWidget(detailsView_);
    layout->addWidget(stack_, 1);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(iconView_), static_cast<QAbstractItemView*>(detailsView_)}) {
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this, [this] { OpenSelected(true); });
    }
    connect(iconView_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        emit selectionChanged();
        if (!filling_ && HasSelection())
            OpenSelected(false);
    });
}

void CFileListPane::SetToolbarActions(const QList<QAction*>& actions)
{
    toolbar_->clear();
    for (QAction* action : actions) {
        if (action)
            toolbar_->addAction(action);
        else
            toolbar_->addSeparator();
    }
}

void CFileListPane::SetThumbnailMaker(const QString& program, const QString& plugIns)
{
    delete worker_;
    worker_ = new CThumbnailWorker(program, plugIns, this);
    connect(worker_, &CThumbnailWorker::thumbnailReady, this, [this](const QString& path, const QImage& image) {
        StoreThumbnail(path, ImageToPicture(image));
    });
    connect(worker_, &CThumbnailWorker::progress, this, [this](int done, int total) {
        const bool busy = done < total;
        progress_->setVisible(busy);
        progressText_->setVisible(busy);
        progress_->setRange(0, total);
        progress_->setValue(done);
        progressText_->setText(QStringLiteral("Thumbnails %1/%2").arg(done).arg(total));
        emit thumbnailProgress(done, total);
    });
}

bool CFileListPane::BackgroundThumbnailsBusy() const
{
    return worker_ && worker_->IsBusy();
}

void CFileListPane::SetFolder(const QString& folder)
{
    if (folder.isEmpty())
        return;
    const QString clean = QDir::cleanPath(folder);
    const bool same = clean == folder_;
    folder_ = clean;
    Fill(same);
    watcher_->Watch(folder_);
}

void CFileListPane::Refresh()
{
    if (folder_.isEmpty())
        return;
    Fill(true);
    watcher_->Watch(folder_);
}

void CFileListPane::AddRow(const FileItem& item)
{
    auto* name = new QStandardItem(QString::fromStdString(item.name));
    name->setData(int(item.typeIndex), kTypeIndexRole);
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    auto* size = new QStandardItem(QString::fromStdString(item.sizeText));
    size->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    auto* type = new QStandardItem(QString::fromStdString(item.typeText));
    type->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    source_->appendRow({name, size, type});
}

void CFileListPane::Fill(bool keepCurrent)
{
    if (worker_)
        worker_->Cancel();
    progress_->hide();
    progressText_->hide();
    if (!database_.IsOpen())
        database_.Open();
    filling_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<ListedType> listed;
    listed.reserve(types_.size());
    for (const ListedFileType& type : types_)
        listed.push_back(type.type);
    const std::vector<FileItem> items = ListFolder(folder_.toStdString(), listed);
    thumbnails_.clear();
    // Unhooked while it fills, so the order is made once rather than row by row; the
    // header forgets its widths meanwhile.
    const std::array<int, 3> widths = ColumnWidths();
    order_->setSourceModel(nullptr);
    source_->removeRows(0, source_->rowCount());
    for (const FileItem& item : items)
        AddRow(item);
    order_->setSourceModel(source_);
    order_->sort(0, Qt::AscendingOrder);
    SetColumnWidths(widths);
    // The file open now stays selected when the same folder is read again.
    const QString kept = keepCurrent ? currentName_ : QString();
    currentName_.clear();
    for (int row = 0; !kept.isEmpty() && row < Count(); ++row) {
        if (NameAt(row) == kept) {
            SelectRow(row);
            currentName_ = kept;
            break;
        }
    }
    QApplication::restoreOverrideCursor();
    filling_ = false;
    emit selectionChanged();
    emit folderFilled(int(items.size()));
    if (ViewMode() == kThumbnailsMode)
        StartBackgroundThumbnails();
}

void CFileListPane::SetViewMode(int mode)
{
    if (!IsViewMode(mode))
        return;
    order_->SetMode(mode);
    if (mode == kDetailsMode) {
        stack_->setCurrentWidget(detailsView_);
    } else {
        const bool icons = mode == kLargeIconsMode || mode == kThumbnailsMode;
        iconView_->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
        iconView_->setFlow(mode == kListMode ? QListView::TopToBottom : QListView::LeftToRight);
        iconView_->setWrapping(true);
        iconView_->setWordWrap(mode == kLargeIconsMode);
        // The grid makes the cells one size; measuring by the first name would cut the rest.
        iconView_->setUniformItemSizes(mode == kThumbnailsMode);
        iconView_->setTextElideMode(Qt::ElideMiddle);
        iconView_->setItemDelegate(mode == kThumbnailsMode ? thumbnailDelegate_ : plainDelegate_);
        if (mode == kThumbnailsMode) {
            iconView_->setIconSize(QSize(thumbnail::kWidth, thumbnail::kHeight));
            iconView_->setGridSize(CThumbnailDelegate::CellSize(iconView_->fontMetrics()));
        } else if (mode == kLargeIconsMode) {
            iconView_->setIconSize(QSize(kLargeIcon, kLargeIcon));
            iconView_->setGridSize(kLargeIconCell);
        } else {
            iconView_->setIconSize(QSize(kSmallIcon, kSmallIcon));
            iconView_->setGridSize(mode == kSmallIconsMode
                                       ? QSize(kSmallIconCellWidth, iconView_->fontMetrics().height() + 6)
                                       : QSize());
        }
        stack_->setCurrentWidget(iconView_);
        iconView_->doItemsLayout();
    }
    if (QAbstractItemView* view = ActiveView(); view && view->currentIndex().isValid())
        view->scrollTo(view->currentIndex());
    if (mode == kThumbnailsMode)
        StartBackgroundThumbnails();
    else if (worker_)
        worker_->Cancel();
}

QAbstractItemView* CFileListPane::ActiveView() const
{
    return ViewMode() == kDetailsMode ? static_cast<QAbstractItemView*>(detailsView_) : iconView_;
}

void CFileListPane::SetColumnWidths(const std::array<int, 3>& widths)
{
    for (int column = 0; column < 3; ++column)
        if (widths[size_t(column)] > 0)
            detailsView_->header()->resizeSection(column, widths[size_t(column)]);
}

std::array<int, 3> CFileListPane::ColumnWidths() const
{
    const QHeaderView* header = detailsView_->header();
    return {header->sectionSize(0), header->sectionSize(1), header->sectionSize(2)};
}

void CFileListPane::SortBy(Column column)
{
    order_->SortBy(column);
    const SortKey& first = order_->Keys().front();
    detailsView_->header()->setSortIndicator(first.column, first.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

int CFileListPane::Count() const
{
    return order_->rowCount();
}

QString CFileListPane::NameAt(int row) const
{
    return order_->index(row, kNameColumn).data().toString();
}

int CFileListPane::SelectedRow() const
{
    const QModelIndexList rows = iconView_->selectionModel()->selectedIndexes();
    for (const QModelIndex& index : rows)
        if (index.column() == kNameColumn)
            return index.row();
    return -1;
}

QString CFileListPane::SelectedPath() const
{
    const int row = SelectedRow();
    return row < 0 ? QString() : QDir(folder_).filePath(NameAt(row));
}

void CFileListPane::SelectRow(int row)
{
    if (row < 0 || row >= Count())
        return;
    QAbstractItemView* view = ActiveView();
    const QModelIndex index = order_->index(row, kNameColumn);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

void CFileListPane::OpenSelected(bool force)
{
    const int row = SelectedRow();
    if (row < 0 || !hooks_.open)
        return;
    const QString name = NameAt(row);
    if (name == currentName_ && !force)
        return;
    currentName_ = name;
    const QString path = QDir(folder_).filePath(name);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = hooks_.open(path);
    QApplication::restoreOverrideCursor();
    if (!opened || !hooks_.thumbnail)
        return;
    const thumbnail::Picture picture = hooks_.thumbnail();
    if (!picture.IsNull())
        StoreThumbnail(path, picture);
}

void CFileListPane::NextFile()
{
    const int row = SelectedRow();
    SelectRow(NextItem(row, Count()));
}

void CFileListPane::PreviousFile()
{
    const int row = SelectedRow();
    SelectRow(PreviousItem(row, Count()));
}

QPixmap CFileListPane::ThumbnailOf(const QString& name, int typeIndex)
{
    return PictureFor(name, typeIndex, kThumbnailsMode);
}

QPixmap CFileListPane::PictureFor(const QString& name, int typeIndex, int mode)
{
    if (typeIndex < 0 || size_t(typeIndex) >= types_.size())
        return {};
    const ListedFileType& type = types_[size_t(typeIndex)];
    if (mode != kThumbnailsMode)
        return mode == kLargeIconsMode ? type.largeIcon : type.smallIcon;
    auto cached = thumbnails_.constFind(name);
    if (cached != thumbnails_.constEnd())
        return *cached;
    // Read from the store the first time the row is shown.
    QPixmap picture = type.defaultThumbnail;
    if (const auto stored = database_.Lookup(KeyPath(folder_, name)))
        picture = QPixmap::fromImage(PictureToImage(*stored));
    thumbnails_.insert(name, picture);
    return picture;
}

void CFileListPane::StoreThumbnail(const QString& path, const thumbnail::Picture& picture)
{
    if (picture.IsNull())
        return;
    database_.Store(path.toStdU16String(), picture);
    const QFileInfo info(path);
    if (QDir::cleanPath(info.absolutePath()) != folder_)
        return;
    thumbnails_.insert(info.fileName(), QPixmap::fromImage(PictureToImage(picture)));
    const int row = SourceRowOf(info.fileName());
    if (row >= 0)
        order_->PictureChanged(order_->mapFromSource(source_->index(row, kNameColumn)));
}

void CFileListPane::StartBackgroundThumbnails()
{
    if (!worker_ || folder_.isEmpty())
        return;
    QStringList missing;
    for (int row = 0; row < Count(); ++row) {
        const QString path = QDir(folder_).filePath(NameAt(row));
        if (!database_.Contains(path.toStdU16String()))
            missing << path;
    }
    worker_->Start(missing);
}

int CFileListPane::SourceRowOf(const QString& name) const
{
    for (int row = 0; row < source_->rowCount(); ++row)
        if (source_->item(row, kNameColumn)->text() == name)
            return row;
    return -1;
}

bool CFileListPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A label being edited has the keys itself; these reach the list only.
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && hooks_.toggleFullScreen) {
            hooks_.toggleFullScreen();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CFileListPane::Status(const std::string& text, int severity)
{
    if (hooks_.status && !text.empty())
        hooks_.status(QString::fromStdString(text), severity);
}

} // namespace kestrel::browser
