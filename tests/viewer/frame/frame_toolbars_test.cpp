#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "command_ids.h"
#include "drawn_icons.h"
#include "frame_binding.h"
#include "frame_test_support.h"
#include "gui_test_env.h"
#include "toolbar_icons.h"

namespace cmd = kestrel::cmd;
using kestrel::frame::CMainFrame;
using kestrel::test::CreateFrame;
using kestrel::test::WaitFor;

namespace {

// What a user cannot reach without the "»" button.
QStringList HiddenButtons(const CMainFrame& frame)
{
    QStringList hidden;
    for (QToolBar* bar : frame.findChildren<QToolBar*>()) {
        if (!bar->isVisible())
            continue;
        if (auto* more = bar->findChild<QToolButton*>("qt_toolbar_ext_button"); more && more->isVisible())
            hidden << bar->windowTitle() + " \u00bb";
        for (QAction* a : bar->actions()) {
            const QWidget* w = bar->widgetForAction(a);
            if (!a->isSeparator() && (!w || !w->isVisible()))
                hidden << bar->windowTitle() + ": " + (a->text().isEmpty() ? a->objectName() : a->text());
        }
        if (bar->geometry().right() >= frame.width())
            hidden << bar->windowTitle() + " beyond the window";
    }
    return hidden;
}

// The room a combo box gives its text.
bool ShowsWholeText(const QComboBox& combo)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.currentText = combo.currentText();
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    return combo.fontMetrics().horizontalAdvance(combo.currentText()) <= field.width();
}

class FrameToolbarsTest : public testing::Test {
protected:
    void SetUp() override { kestrel::test::ClearSettings(); }
};

TEST_F(FrameToolbarsTest, EveryButtonOfTheFirstLayoutIsVisibleOnCommonScreens)
{
    auto frame = CreateFrame();
    // With the document's features, as the viewer starts: they add the sequences combo and
    // the seek bar to the bars.
    new kestrel::view::CFrameBinding(*frame);
    auto* sequences = frame->findChild<QComboBox*>(QString("command%1").arg(cmd::kSequences));
    ASSERT_NE(sequences, nullptr);
    frame->ShowAtStart();
    WaitFor([&] { return kestrel::test::FillsWorkArea(*frame); });
    EXPECT_EQ(HiddenButtons(*frame), QStringList()) << "as started";
    for (const QSize size : {QSize(1280, 1024), QSize(1920, 1080)}) {
        frame->showNormal();
        frame->setGeometry(QRect(QPoint(0, 0), size));
        WaitFor([&] { return frame->width() == size.width(); });
        EXPECT_EQ(HiddenButtons(*frame), QStringList()) << size.width() << " x " << size.height();
        EXPECT_TRUE(ShowsWholeText(*sequences)) << size.width();
        EXPECT_TRUE(sequences->isVisible());
        frame->grab().save(kestrel::test::OutputFolder() +
                           QString("/toolbars_%1x%2.png").arg(size.width()).arg(size.height()));
    }
}

TEST_F(FrameToolbarsTest, EveryToolbarButtonHasAPictogramOfItsOwn)
{
    auto frame = CreateFrame();
    QHash<QByteArray, int> seen;
    int buttons = 0;
    for (QToolBar* bar : frame->findChildren<QToolBar*>()) {
        for (QAction* a : bar->actions()) {
            const int id = a->data().toInt();
            if (a->isSeparator() || id == 0)
                continue;
            ++buttons;
            EXPECT_FALSE(a->icon().isNull()) << id;
            const QIcon drawn = kestrel::frame::DrawnCommandIcon(id);
            ASSERT_FALSE(drawn.isNull()) << id;
            for (int size : {16, 24, 32})
                EXPECT_TRUE(drawn.availableSizes().contains(QSize(size, size))) << id;
            const QImage image = drawn.pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32);
            int inked = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    inked += qAlpha(image.pixel(x, y)) > 128;
            EXPECT_GT(inked, 60) << id << " is nearly empty";
            const QByteArray key(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
            EXPECT_FALSE(seen.contains(key)) << id << " looks like " << seen.value(key);
            seen.insert(key, id);
        }
    }
    EXPECT_GE(buttons, 50);
}

// An icon is drawn the first time its pixels are wanted, once for all its sizes; the sizes
// it offers are known before.
TEST_F(FrameToolbarsTest, AnIconIsDrawnOnlyOnceItIsWanted)
{
    int drawings = 0;
    const QIcon icon = kestrel::frame::MakeIcon([&drawings](QPainter& p) {
        ++drawings;
        p.fillRect(QRectF(2, 2, 12, 12), Qt::red);
    });
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(24, 24), QSize(32, 32)}));
    EXPECT_EQ(drawings, 0);
    EXPECT_EQ(icon.pixmap(24).toImage().pixelColor(12, 12), QColor(Qt::red));
    EXPECT_EQ(drawings, 3);
    const QIcon copy = icon;
    EXPECT_EQ(copy.pixmap(16).size(), QSize(16, 16));
    EXPECT_EQ(drawings, 3);
}

TEST_F(FrameToolbarsTest, TheDesktopIconThemeIsUsedWhereItHasTheIcon)
{
    QTemporaryDir themes;
    ASSERT_TRUE(themes.isValid());
    QDir(themes.path()).mkpath("probe/16x16/actions");
    QFile index(themes.path() + "/probe/index.theme");
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=Probe\nDirectories=16x16/actions\n\n[16x16/actions]\nSize=16\nType=Fixed\n");
    index.close();
    QImage magenta(16, 16, QImage::Format_ARGB32);
    magenta.fill(Qt::magenta);
    ASSERT_TRUE(magenta.save(themes.path() + "/probe/16x16/actions/document-open.png"));

    const QStringList paths = QIcon::themeSearchPaths();
    const QString name = QIcon::themeName();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName("probe");
    EXPECT_EQ(kestrel::frame::CommandIconThemeName(cmd::kFileOpen), "document-open");
    EXPECT_EQ(kestrel::frame::CommandIcon(cmd::kFileOpen).pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::magenta));
    // The theme lacks it: our own.
    EXPECT_EQ(kestrel::frame::CommandIcon(cmd::kEditCut).pixmap(16).toImage(),
              kestrel::frame::DrawnCommandIcon(cmd::kEditCut).pixmap(16).toImage());
    QIcon::setThemeName(name);
    QIcon::setThemeSearchPaths(paths);
}

} // namespace
