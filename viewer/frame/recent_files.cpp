#include "recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include "command_ids.h"

namespace kestrel::frame {

namespace {
constexpr const char* kSection = "Recent File List";
}

CRecentFiles::CRecentFiles(QMenu& menu, QAction* anchor, QObject* parent) : QObject(parent), menu_(menu), anchor_(anchor)
{
    Load();
    Rebuild();
}

void CRecentFiles::Load()
{
    QSettings store;
    store.beginGroup(kSection);
    for (int i = 1; i <= kSize; ++i) {
        const QString file = store.value(QString("File%1").arg(i)).toString();
        if (!file.isEmpty() && !files_.contains(file))
            files_ << file;
    }
}

void CRecentFiles::Save() const
{
    QSettings store;
    store.remove(kSection);
    store.beginGroup(kSection);
    for (int i = 0; i < files_.size(); ++i)
        store.setValue(QString("File%1").arg(i + 1), files_[i]);
}

void CRecentFiles::Add(const QString& path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    files_.removeAll(file);
    files_.prepend(file);
    while (files_.size() > kSize)
        files_.removeLast();
    Save();
    Rebuild();
}

void CRecentFiles::Remove(const QString& path)
{
    if (files_.removeAll(QFileInfo(path).absoluteFilePath()) == 0)
        return;
    Save();
    Rebuild();
}

void CRecentFiles::Rebuild()
{
    qDeleteAll(items_);
    items_.clear();
    if (files_.isEmpty()) {
        QAction* none = new QAction("Recent File", &menu_);
        none->setEnabled(false);
        menu_.insertAction(anchor_, none);
        items_ << none;
        return;
    }
    for (int i = 0; i < files_.size(); ++i) {
        const QString label = QString("&%1 %2").arg((i + 1) % 10).arg(QDir::toNativeSeparators(files_[i]).replace("&", "&&"));
        QAction* item = new QAction(label, &menu_);
        item->setData(cmd::kFileRecent + i);
        item->setStatusTip("Open this document");
        connect(item, &QAction::triggered, this, [this, file = files_[i]] { emit Chosen(file); });
        menu_.insertAction(anchor_, item);
        items_ << item;
    }
}

} // namespace kestrel::frame
