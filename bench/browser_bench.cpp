// How fast the file list fills a large folder, and how many background thumbnails it
// makes per second. The panel runs on the off-screen platform, painted as it would be.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <filesystem>
#include <fstream>

#include "file_list_pane.h"
#include "temp_dir.h"
#include "thumbnail_worker.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrel;
using namespace kestrel::browser;

constexpr int kLargeFolder = 2000;
const char* const kExtensions[] = {"stl", "3ds", "ms3d", "tga", "png", "jpg", "off", "bvh"};

std::vector<ListedFileType> Types()
{
    std::vector<ListedFileType> types;
    for (const char* extension : kExtensions)
        types.push_back(MakeListedType(QString(extension).toUpper().toStdString(), std::string(extension) + " file"));
    return types;
}

// 2,000 files of every type, half of them with a stored thumbnail.
struct LargeFolder {
    test::TempDir files, thumbs;
    LargeFolder()
    {
        CThumbDatabase database(thumbs.Path());
        database.Open();
        const thumbnail::Picture picture = thumbnail::FilledPicture(96, 84, thumbnail::Rgb(10, 200, 30));
        for (int i = 0; i < kLargeFolder; ++i) {
            const std::string name = "file" + std::to_string(i) + "." + kExtensions[i % std::size(kExtensions)];
            std::ofstream(files.Path() / name) << std::string(size_t(i) * 7, 'x');
            if (i % 2 == 0)
                database.Store((files.Path() / name).u16string(), picture);
        }
    }
};

LargeFolder& Folder()
{
    static LargeFolder folder;
    return folder;
}

void BM_FileListFill(benchmark::State& state)
{
    LargeFolder& folder = Folder();
    const int mode = int(state.range(0));
    CFileListPane pane(Types(), folder.thumbs.Path());
    pane.resize(1000, 300);
    pane.show();
    pane.SetViewMode(mode);
    const QString path = QString::fromStdString(folder.files.Path().string());
    pane.SetFolder(path);
    for (auto _ : state) {
        pane.Refresh(); // the folder read again and painted
        QApplication::processEvents();
        benchmark::DoNotOptimize(pane.grab());
    }
    state.counters["files"] = pane.Count();
}
BENCHMARK(BM_FileListFill)->Arg(kDetailsMode)->Arg(kThumbnailsMode)->Unit(benchmark::kMillisecond);

// Sample-like files for the background maker: models and images in equal parts.
void WriteSampleFolder(const fs::path& folder, int count)
{
    const QDir samples(QStringLiteral(KESTREL_BENCH_SAMPLES));
    const QStringList names = samples.entryList(QDir::Files);
    for (int i = 0; i < count && !names.isEmpty(); ++i) {
        const QString name = names[i % names.size()];
        const QString target = QString::fromStdString((folder / ("copy" + std::to_string(i) + "_")).string()) + name;
        QFile::copy(samples.filePath(name), target);
    }
}

void BM_BackgroundThumbnails(benchmark::State& state)
{
    test::TempDir folder;
    WriteSampleFolder(folder.Path(), int(state.range(0)));
    QStringList paths;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        if (entry.path().extension() != ".afs")
            paths << QString::fromStdString(entry.path().string());
    int made = 0;
    for (auto _ : state) {
        CThumbnailWorker worker(QStringLiteral(KESTREL_BENCH_CLI), QStringLiteral(KESTREL_BENCH_PLUGIN_FOLDER));
        made = 0;
        QObject::connect(&worker, &CThumbnailWorker::thumbnailReady, [&made] { ++made; });
        worker.Start(paths);
        while (worker.IsBusy())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    state.counters["files"] = double(paths.size());
    state.counters["made"] = made;
    state.counters["files_per_s"] =
        benchmark::Counter(double(paths.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_BackgroundThumbnails)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
