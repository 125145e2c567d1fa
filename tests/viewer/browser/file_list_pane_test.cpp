#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "file_list_pane.h"
#include "formats/stl_writer.h"
#include "gui_test_env.h"
#include "image_fixtures.h"
#include "temp_dir.h"
#include "thumbnail_geometry.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrel;
using namespace kestrel::browser;

constexpr uint32_t kRed = thumbnail::Rgb(255, 0, 0);

void Touch(const fs::path& path, size_t bytes)
{
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

std::vector<ListedFileType> ModelAndImageTypes()
{
    return {MakeListedType("STL", "Stereo Lithography"), MakeListedType("TGA", "Targa Image"),
            MakeListedType("stl", "A second STL reader")};
}

QStringList Names(const CFileListPane& pane)
{
    QStringList names;
    for (int row = 0; row < pane.Count(); ++row)
        names << pane.NameAt(row);
    return names;
}

// A panel over a folder of its own, with its thumbnails in a folder of their own, that
// records what it asks of the window.
struct Fixture {
    test::TempDir folder, thumbs;
    std::unique_ptr<CFileListPane> pane;
    QStringList opened;
    bool openSucceeds = true;
    QString lastStatus;
    int lastSeverity = -1;
    int fullScreenToggles = 0;

    Fixture()
    {
        Touch(folder.Path() / "a.stl", 10);
        Touch(folder.Path() / "B.STL", 2000);
        Touch(folder.Path() / "x.stla", 5);
        Touch(folder.Path() / "pic.tga", 100);
        Touch(folder.Path() / "notes.txt", 5);
        pane = std::make_unique<CFileListPane>(ModelAndImageTypes(), thumbs.Path());
        CFileListPane::Hooks hooks;
        hooks.open = [this](const QString& path) {
            opened << path;
            return openSucceeds;
        };
        hooks.thumbnail = [] { return thumbnail::FilledPicture(thumbnail::kWidth, thumbnail::kHeight, kRed); };
        hooks.status = [this](const QString& text, int severity) {
            lastStatus = text;
            lastSeverity = severity;
        };
        hooks.toggleFullScreen = [this] { ++fullScreenToggles; };
        pane->SetHooks(hooks);
        pane->resize(640, 300);
        pane->show();
        pane->SetFolder(Path());
    }
    QString Path() const { return QString::fromStdString(folder.Path().string()); }
    QString File(const char* name) const { return QString::fromStdString(folder.File(name)); }
    int RowOf(const QString& name) const { return Names(*pane).indexOf(name); }
};

TEST(FileListPane, ListsTheServedFilesOnceInEveryViewMode)
{
    Fixture f;
    const QStringList expected{"a.stl", "B.STL", "pic.tga"};
    const QSize pictureSizes[] = {{32, 32}, {16, 16}, {16, 16}, {16, 16}, {96, 84}};
    for (int mode = kLargeIconsMode; mode <= kThumbnailsMode; ++mode) {
        f.pane->SetViewMode(mode);
        EXPECT_EQ(f.pane->ViewMode(), mode);
        EXPECT_EQ(Names(*f.pane), expected) << "mode " << mode;
        const QPixmap picture = f.pane->ActiveView()->model()->index(0, 0).data(Qt::DecorationRole).value<QPixmap>();
        EXPECT_EQ(picture.size(), pictureSizes[mode - 1]) << "mode " << mode;
        QApplication::processEvents();
    }
    f.pane->grab().save(test::OutputFolder() + "/file-list-thumbnails.png");
    // The size and type columns as the details show them.
    QAbstractItemModel* rows = f.pane->ActiveView()->model();
    EXPECT_EQ(rows->index(1, kSizeColumn).data().toString(), "2 KB");
    EXPECT_EQ(rows->index(1, kTypeColumn).data().toString(), "Stereo Lithography");
    EXPECT_EQ(rows->index(2, kTypeColumn).data().toString(), "Targa Image");
    EXPECT_EQ(f.pane->SelectedRow(), -1);
    EXPECT_TRUE(f.opened.isEmpty()); // filling opens nothing
}

TEST(FileListPane, SortsBySizeAsNumbersAndTurnsRoundOnASecondClick)
{
    Fixture f;
    Touch(f.folder.Path() / "nine.stl", 9 * 1024 - 1);
    Touch(f.folder.Path() / "ten.stl", 10 * 1024 - 1);
    f.pane->Refresh();
    f.pane->SortBy(kSizeColumn);
    // Equal sizes keep the name order.
    EXPECT_EQ(Names(*f.pane), (QStringList{"a.stl", "pic.tga", "B.STL", "nine.stl", "ten.stl"}));
    f.pane->SortBy(kSizeColumn);
    EXPECT_EQ(Names(*f.pane).first(), "ten.stl");
    f.pane->SortBy(kTypeColumn); // then by type, sizes descending within a type
    EXPECT_EQ(Names(*f.pane), (QStringList{"ten.stl", "nine.stl", "B.STL", "a.stl", "pic.tga"}));
}

TEST(FileListPane, SelectingOpensOnceAndStoresTheViewsThumbnail)
{
    Fixture f;
    f.pane->SetViewMode(kThumbnailsMode);
    f.pane->SelectRow(f.RowOf("B.STL"));
    ASSERT_EQ(f.opened, QStringList{f.File("B.STL")});
    EXPECT_EQ(f.pane->CurrentFileName(), "B.STL");
    EXPECT_TRUE(f.pane->Database().Contains(f.File("B.STL").toStdU16String()));
    EXPECT_EQ(f.pane->ThumbnailOf("B.STL", 0).toImage().pixel(40, 40), kRed);
    // The same item again opens nothing; a double-click opens it again.
    f.pane->OpenSelected(false);
    EXPECT_EQ(f.opened.size(), 1);
    f.pane->OpenSelected(true);
    EXPECT_EQ(f.opened.size(), 2);

    // A file that fails to open keeps its default picture and stores nothing.
    f.openSucceeds = false;
    f.pane->SelectRow(f.RowOf("a.stl"));
    EXPECT_EQ(f.opened.size(), 3);
    EXPECT_FALSE(f.pane->Database().Contains(f.File("a.stl").toStdU16String()));
    EXPECT_NE(f.pane->ThumbnailOf("a.stl", 0).toImage().pixel(40, 40), kRed);

    // Stored thumbnails come back in a new panel.
    CFileListPane again(ModelAndImageTypes(), f.thumbs.Path());
    again.SetFolder(f.Path());
    EXPECT_EQ(again.ThumbnailOf("B.STL", 0).toImage().pixel(40, 40), kRed);
}

TEST(FileListPane, NextAndPreviousFileWrapAroundAndOpen)
{
    Fixture f;
    f.pane->SelectRow(2);
    f.pane->NextFile();
    EXPECT_EQ(f.pane->SelectedRow(), 0);
    EXPECT_EQ(f.opened.last(), f.File("a.stl"));
    f.pane->PreviousFile();
    EXPECT_EQ(f.pane->SelectedRow(), 2);
    EXPECT_EQ(f.opened.last(), f.File("pic.tga"));
    EXPECT_EQ(f.opened.size(), 3);
}

TEST(FileListPane, ChangesMadeByOtherProgramsShowWithoutARefill)
{
    Fixture f;
    f.pane->SelectRow(f.RowOf("a.stl"));
    const int opened = f.opened.size();
    // The watcher takes the folder on its own thread: wait until it reports a probe.
    ASSERT_TRUE(WaitFor([&] {
        Touch(f.folder.Path() / "probe.tga", 1);
        return f.RowOf("probe.tga") >= 0;
    }));
    fs::remove(f.folder.Path() / "probe.tga");
    ASSERT_TRUE(WaitFor([&] { return f.RowOf("probe.tga") < 0; }));

    fs::rename(f.folder.Path() / "a.stl", f.folder.Path() / "z.stl");
    ASSERT_TRUE(WaitFor([&] { return f.RowOf("z.stl") >= 0; }));
    EXPECT_EQ(f.RowOf("a.stl"), -1);
    EXPECT_EQ(f.pane->Count(), 3);
    EXPECT_EQ(f.pane->CurrentFileName(), "z.stl"); // the open file keeps its place
    EXPECT_EQ(f.opened.size(), opened);

    Touch(f.folder.Path() / "new.stl", 3000);
    fs::rename(f.folder.Path() / "pic.tga", f.folder.Path() / "pic.txt"); // no longer served
    ASSERT_TRUE(WaitFor([&] { return f.RowOf("new.stl") >= 0 && f.RowOf("pic.tga") < 0; }));
    EXPECT_EQ(f.RowOf("pic.txt"), -1);
    EXPECT_EQ(Names(*f.pane), (QStringList{"B.STL", "new.stl", "z.stl"}));
}

TEST(FileListPane, DeleteMovesTheFileToTheTrash)
{
    Fixture f;
    f.pane->SelectRow(f.RowOf("pic.tga"));
    const int opened = f.opened.size();
    f.pane->DeleteSelected();
    EXPECT_EQ(f.opened.size(), opened); // no other file opens in its place
    EXPECT_FALSE(fs::exists(f.folder.Path() / "pic.tga"));
    EXPECT_EQ(f.RowOf("pic.tga"), -1);
    EXPECT_EQ(f.lastStatus, "Moved \"pic.tga\" to the trash");
    EXPECT_FALSE(f.pane->HasSelection());
}

TEST(FileListPane, CopyAndPasteMakesASecondFileUnderAFreeName)
{
    Fixture f;
    f.pane->SelectRow(f.RowOf("B.STL"));
    f.pane->CopySelected();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasUrls());
    EXPECT_EQ(data->urls().value(0).toLocalFile(), f.File("B.STL"));
    ASSERT_TRUE(f.pane->CanPaste());
    f.pane->Paste();
    EXPECT_TRUE(fs::exists(f.folder.Path() / "B (2).STL"));
    EXPECT_GE(f.RowOf("B (2).STL"), 0);
    EXPECT_EQ(fs::file_size(f.folder.Path() / "B (2).STL"), 2000u);
    EXPECT_EQ(f.pane->SelectedPath(), f.File("B.STL")); // the open file stays selected
}

TEST(FileListPane, RenameKeepsTheRowWhenTheNameIsTaken)
{
    Fixture f;
    f.pane->SelectRow(f.RowOf("a.stl"));
    EXPECT_FALSE(f.pane->RenameSelected("B.STL"));
    EXPECT_EQ(f.lastSeverity, 3);
    EXPECT_TRUE(f.lastStatus.contains("exists")) << f.lastStatus.toStdString();
    EXPECT_GE(f.RowOf("a.stl"), 0);
    EXPECT_TRUE(f.pane->RenameSelected("c.stl"));
    EXPECT_TRUE(fs::exists(f.folder.Path() / "c.stl"));
    EXPECT_EQ(Names(*f.pane), (QStringList{"B.STL", "c.stl", "pic.tga"}));
    EXPECT_EQ(f.pane->CurrentFileName(), "c.stl");
}

TEST(FileListPane, ColumnWidthsSurviveARefillAndEnterTogglesFullScreen)
{
    Fixture f;
    f.pane->SetViewMode(kDetailsMode);
    f.pane->SetColumnWidths({230, 70, 150});
    f.pane->Refresh();
    EXPECT_EQ(f.pane->ColumnWidths(), (std::array<int, 3>{230, 70, 150}));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(f.pane->ActiveView(), &enter);
    EXPECT_EQ(f.fullScreenToggles, 1);
}

TEST(FileListPane, ThumbnailModeMakesTheMissingThumbnailsInTheBackground)
{
    Fixture f;
    test::WriteBytes(f.folder.File("cube.stl"), test::stl::WriteBinary("cube", test::stl::Cube()));
    const test::RefImage image = test::MakePattern(40, 30, 24, test::PatternColours::kFull);
    test::WriteBytes(f.folder.File("pattern.tga"), test::MakeTga(image, {}));
    f.pane->SetThumbnailMaker(KESTREL_CLI, KESTREL_PLUGIN_FOLDER);
    f.pane->Refresh();
    f.pane->SetViewMode(kThumbnailsMode);
    EXPECT_TRUE(f.pane->BackgroundThumbnailsBusy());
    ASSERT_TRUE(WaitFor([&] { return !f.pane->BackgroundThumbnailsBusy(); }, 60000));
    EXPECT_TRUE(f.pane->Database().Contains(f.File("cube.stl").toStdU16String()));
    EXPECT_TRUE(f.pane->Database().Contains(f.File("pattern.tga").toStdU16String()));
    // The damaged files (a.stl holds ten letters) fail in their own process and keep their
    // default pictures.
    EXPECT_FALSE(f.pane->Database().Contains(f.File("a.stl").toStdU16String()));
    const QImage cube = f.pane->ThumbnailOf("cube.stl", 0).toImage();
    const QImage fallback = f.pane->ThumbnailOf("a.stl", 0).toImage();
    EXPECT_NE(cube, fallback);
    f.pane->grab().save(test::OutputFolder() + "/file-list-background-thumbnails.png");
}

} // namespace
