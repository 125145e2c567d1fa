#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <fstream>

#include "folder_watcher.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrel::browser;

struct Received {
    QString folder;
    std::vector<FolderChange> changes;
};

bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

bool Has(const std::vector<Received>& batches, const FolderChange& change)
{
    for (const Received& batch : batches)
        for (const FolderChange& c : batch.changes)
            if (c == change)
                return true;
    return false;
}

TEST(FolderWatcher, ReportsRenamesAdditionsAndRemovalsOfTheWatchedFolder)
{
    kestrel::test::TempDir dir;
    std::ofstream(dir.Path() / "a.stl") << "x";
    CFolderWatcher watcher;
    ASSERT_TRUE(watcher.IsRunning());
    std::vector<Received> batches;
    QObject::connect(&watcher, &CFolderWatcher::changed,
                     [&](const QString& folder, const std::vector<FolderChange>& changes) {
                         batches.push_back({folder, changes});
                     });
    watcher.Watch(QString::fromStdString(dir.Path().string()));
    // The thread takes the folder on its own time; a file made until then is not seen.
    ASSERT_TRUE(WaitFor([&] {
        std::ofstream(dir.Path() / "probe.tga") << "x";
        fs::remove(dir.Path() / "probe.tga");
        return !batches.empty();
    }));
    batches.clear();

    fs::rename(dir.Path() / "a.stl", dir.Path() / "b.stl");
    std::ofstream(dir.Path() / "c.off") << "OFF";
    fs::remove(dir.Path() / "b.stl");
    EXPECT_TRUE(WaitFor([&] { return Has(batches, {ChangeKind::Removed, "b.stl", {}}); }));
    EXPECT_TRUE(Has(batches, {ChangeKind::Renamed, "b.stl", "a.stl"}));
    EXPECT_TRUE(Has(batches, {ChangeKind::Added, "c.off", {}}));
    EXPECT_EQ(batches.front().folder.toStdString(), dir.Path().string());
}

TEST(FolderWatcher, ASwitchedFolderIsTheOnlyOneReported)
{
    kestrel::test::TempDir first, second;
    CFolderWatcher watcher;
    std::vector<Received> batches;
    QObject::connect(&watcher, &CFolderWatcher::changed,
                     [&](const QString& folder, const std::vector<FolderChange>& changes) {
                         batches.push_back({folder, changes});
                     });
    watcher.Watch(QString::fromStdString(first.Path().string()));
    watcher.Watch(QString::fromStdString(second.Path().string()));
    ASSERT_TRUE(WaitFor([&] {
        std::ofstream(first.Path() / "old.stl") << "x";
        std::ofstream(second.Path() / "new.stl") << "x";
        return Has(batches, {ChangeKind::Added, "new.stl", {}}) || Has(batches, {ChangeKind::Modified, "new.stl", {}});
    }));
    for (const Received& batch : batches)
        EXPECT_EQ(batch.folder.toStdString(), second.Path().string());
    // Stopping is prompt and final.
    watcher.Stop();
    EXPECT_FALSE(watcher.IsRunning());
}

} // namespace
