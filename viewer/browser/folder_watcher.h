#pragma once
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "folder_changes.h"

namespace kestrel::browser {

// Watches the file list's folder on a thread of its own, so that files renamed, added or
// removed by other programs show in the list. The thread never touches widgets: it hands
// each batch of changes to this object's thread through the event queue.
class CFolderWatcher : public QObject {
    Q_OBJECT
public:
    explicit CFolderWatcher(QObject* parent = nullptr);
    // Stops the thread and waits for it (it wakes at once, so this is quick).
    ~CFolderWatcher() override;

    // Watches this folder instead of the one before; an empty path watches nothing.
    void Watch(const QString& folder);
    // Ends the thread; nothing is reported afterwards.
    void Stop();
    bool IsRunning() const;

signals:
    // `folder` is the one the changes happened in, which may no longer be watched.
    void changed(const QString& folder, const std::vector<kestrel::browser::FolderChange>& changes);

private:
    struct Thread;
    std::unique_ptr<Thread> thread_;
};

} // namespace kestrel::browser
