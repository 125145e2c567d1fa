// Message boxes open over the dialog the user works in, wide enough for their title, and
// option dialogs show their whole title and a useful length of path.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "plugframe/dialog_fit.h"

namespace {

struct SeenBox {
    QRect geometry;
    QString title;
    QWidget* parent = nullptr;
};

// Notes the message box that opens next and closes it.
void CloseNextBox(SeenBox& seen)
{
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.geometry = box->geometry();
        seen.title = box->windowTitle();
        seen.parent = box->parentWidget();
        box->done(QMessageBox::Ok);
    });
}

TEST(DialogFit, MessageBoxOfAHiddenDialogOpensCentredOnTheVisibleOne)
{
    QDialog options;
    options.setWindowTitle("Options");
    options.setGeometry(150, 100, 500, 400); // room around it on the 800 x 600 test screen
    options.show();
    QDialog progress(&options); // checks run before it is shown
    progress.setWindowTitle("MS3D ASCII Export - Progress");
    ASSERT_EQ(VisibleOwner(&progress), &options);

    SeenBox seen;
    CloseNextBox(seen);
    ShowMessageBox(&progress, QMessageBox::Warning, progress.windowTitle(), "Nothing to export", QMessageBox::Ok);
    EXPECT_EQ(seen.parent, &options);
    EXPECT_EQ(seen.title, "MS3D ASCII Export - Progress");
    const QPoint offset = seen.geometry.center() - options.geometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << "box centre off by " << offset.x() << ", " << offset.y();
    // The short text alone would make the box narrower than its title.
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(seen.geometry.width(), WidthForTitle(QFontMetrics(bold).horizontalAdvance(seen.title)));
}

TEST(DialogFit, WithoutAnyVisibleWindowTheBoxStaysOnTheScreen)
{
    EXPECT_EQ(VisibleOwner(nullptr), nullptr);
    SeenBox seen;
    CloseNextBox(seen);
    ShowMessageBox(nullptr, QMessageBox::Information, "A title", "Text", QMessageBox::Ok);
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(seen.geometry)) << seen.geometry.x() << "," << seen.geometry.y();
    EXPECT_LE((seen.geometry.center() - screen.center()).manhattanLength(), 4);
}

TEST(DialogFit, OptionDialogShowsItsTitleAndSixtyCharactersOfPath)
{
    QDialog dialog;
    dialog.setWindowTitle("MilkShape 3D ASCII Export Options For The Current Model");
    auto* layout = new QVBoxLayout(&dialog);
    auto* path = new QLineEdit(&dialog);
    layout->addWidget(path);
    FitToTitleAndPath(dialog, path);
    dialog.show();
    const QFontMetrics metrics(path->font());
    EXPECT_GE(path->width(), metrics.averageCharWidth() * kVisiblePathCharacters);
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(dialog.width(), WidthForTitle(QFontMetrics(bold).horizontalAdvance(dialog.windowTitle())));
}

} // namespace
