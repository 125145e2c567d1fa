#include "folder_watcher.h"

#include <QMetaObject>
#include <QPointer>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#ifdef __linux__
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>
#else
#include <QFileSystemWatcher>
#endif

namespace kestrel::browser {

#ifdef __linux__
namespace {

constexpr size_t kRecordBufferSize = 32768;
// The two halves of a move may come in separate reads; a short wait lets both arrive.
constexpr int kSettleMilliseconds = 50;
// A folder that never stops changing is still reported this often.
constexpr auto kLongestBatch = std::chrono::milliseconds(250);
constexpr uint32_t kWatchedEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE |
                                    IN_ONLYDIR;

uint32_t KindsOf(uint32_t mask)
{
    uint32_t kinds = 0;
    if (mask & IN_CREATE)
        kinds |= kCreated;
    if (mask & IN_DELETE)
        kinds |= kDeleted;
    if (mask & IN_MOVED_FROM)
        kinds |= kMovedOut;
    if (mask & IN_MOVED_TO)
        kinds |= kMovedIn;
    if (mask & IN_CLOSE_WRITE)
        kinds |= kWritten;
    if (mask & IN_ISDIR)
        kinds |= kIsFolder;
    return kinds;
}

// The records of one read, each checked to lie inside what was read.
void ParseRecords(const char* buffer, size_t size, int watch, std::vector<ChangeRecord>& records)
{
    size_t offset = 0;
    while (size - offset >= sizeof(inotify_event)) {
        inotify_event header;
        std::memcpy(&header, buffer + offset, sizeof(header));
        const size_t nameSpace = header.len;
        if (nameSpace > size - offset - sizeof(header))
            break;
        const char* name = buffer + offset + sizeof(header);
        offset += sizeof(header) + nameSpace;
        if (header.wd != watch)
            continue;
        ChangeRecord record;
        record.kinds = KindsOf(header.mask);
        record.cookie = header.cookie;
        record.name.assign(name, strnlen(name, nameSpace));
        records.push_back(std::move(record));
    }
}

} // namespace

struct CFolderWatcher::Thread {
    explicit Thread(CFolderWatcher* owner) : owner(owner)
    {
        notify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (notify >= 0 && wake >= 0)
            worker = std::thread([this] { Run(); });
    }
    ~Thread()
    {
        Stop();
        if (notify >= 0)
            close(notify);
        if (wake >= 0)
            close(wake);
    }

    void Wake()
    {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(wake, &one, sizeof(one));
    }
    void Watch(const QString& path)
    {
        {
            std::lock_guard lock(mutex);
            pending = path;
            switchPending = true;
        }
        Wake();
    }
    void Stop()
    {
        stop = true;
        if (worker.joinable()) {
            Wake();
            worker.join();
        }
    }

    void Run()
    {
        int watch = -1;
        QString folder;
        std::vector<char> buffer(kRecordBufferSize);
        while (!stop) {
            pollfd fds[2] = {{wake, POLLIN, 0}, {notify, POLLIN, 0}};
            if (poll(fds, 2, -1) < 0)
                continue;
            if (fds[0].revents & POLLIN) {
                uint64_t count = 0;
                [[maybe_unused]] const ssize_t got = read(wake, &count, sizeof(count));
                std::lock_guard lock(mutex);
                if (switchPending) {
                    if (watch >= 0)
                        inotify_rm_watch(notify, watch);
                    folder = pending;
                    watch = folder.isEmpty() ? -1
                                             : inotify_add_watch(notify, folder.toLocal8Bit().constData(),
                                                                 kWatchedEvents);
                    switchPending = false;
                }
            }
            if (stop || !(fds[1].revents & POLLIN))
                continue;
            std::vector<ChangeRecord> records;
            const auto batchEnd = std::chrono::steady_clock::now() + kLongestBatch;
            while (std::chrono::steady_clock::now() < batchEnd) {
                const ssize_t got = read(notify, buffer.data(), buffer.size());
                if (got > 0) {
                    ParseRecords(buffer.data(), size_t(got), watch, records);
                    continue;
                }
                pollfd more{notify, POLLIN, 0};
                if (poll(&more, 1, kSettleMilliseconds) <= 0)
                    break;
            }
            std::vector<FolderChange> changes = PairChanges(records);
            if (changes.empty() || watch < 0)
                continue;
            // The owner outlives this thread (it joins it), and Qt drops queued calls
            // to an object that has gone.
            QMetaObject::invokeMethod(
                owner, [owner = owner, folder, changes = std::move(changes)] { emit owner->changed(folder, changes); },
                Qt::QueuedConnection);
        }
    }

    CFolderWatcher* owner;
    int notify = -1, wake = -1;
    std::atomic<bool> stop{false};
    std::mutex mutex;
    QString pending;
    bool switchPending = false;
    std::thread worker;
};

bool CFolderWatcher::IsRunning() const
{
    return thread_ && thread_->worker.joinable();
}

#else

// Without change records the folder can only be told to be read again.
struct CFolderWatcher::Thread {
    explicit Thread(CFolderWatcher* owner) : owner(owner)
    {
        QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, owner, [this](const QString& path) {
            emit this->owner->changed(path, {FolderChange{ChangeKind::Modified, std::string(), {}}});
        });
    }
    void Watch(const QString& path)
    {
        if (!watcher.directories().isEmpty())
            watcher.removePaths(watcher.directories());
        if (!path.isEmpty())
            watcher.addPath(path);
    }
    void Stop() { Watch(QString()); }
    CFolderWatcher* owner;
    QFileSystemWatcher watcher;
};

bool CFolderWatcher::IsRunning() const
{
    return bool(thread_);
}

#endif

CFolderWatcher::CFolderWatcher(QObject* parent) : QObject(parent), thread_(std::make_unique<Thread>(this))
{
}

CFolderWatcher::~CFolderWatcher()
{
    Stop();
}

void CFolderWatcher::Watch(const QString& folder)
{
    if (thread_)
        thread_->Watch(folder);
}

void CFolderWatcher::Stop()
{
    thread_.reset();
}

} // namespace kestrel::browser
