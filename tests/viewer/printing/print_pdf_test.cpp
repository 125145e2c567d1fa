#include <gtest/gtest.h>

#include "x_server.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>

#include "animation_hold.h"
#include "bound_frame.h"
#include "formats/stl_writer.h"
#include "image_fixtures.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "nimbus/model.h"
#include "print_controller.h"
#include "print_page.h"
#include "sample_files.h"
#include "status_message.h"
#include "temp_dir.h"

namespace {

using namespace kestrel;
using printing::CPrintController;

constexpr int kRenderDpi = 50;

bool IsWhite(QRgb p)
{
    return qRed(p) >= 245 && qGreen(p) >= 245 && qBlue(p) >= 245;
}

// Where the picture lands on the page, in pixels of a page rendered at kRenderDpi.
QRect TargetOnRenderedPage(QPrinter& printer, printing::PixelSize picture)
{
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const printing::PageRect t =
        printing::PrintTargetRect(printing::PrintableArea(printer), picture);
    const double s = double(kRenderDpi) / printer.resolution();
    return QRect(QPoint(int((paint.x() + t.x) * s), int((paint.y() + t.y) * s)),
                 QPoint(int((paint.x() + t.x + t.width) * s) - 1, int((paint.y() + t.y + t.height) * s) - 1));
}

// The rendered page of the running test, kept where people can look at it.
void KeepForLooking(const QImage& page)
{
    const QString dir = QStringLiteral(KESTREL_TEST_OUTPUT_DIR);
    QDir().mkpath(dir);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    page.save(dir + '/' + QString::fromLatin1(test ? test->name() : "page") + QStringLiteral(".png"));
}

struct PageCheck {
    int pages = 0;
    int inkInside = 0;  // non-white pixels inside the picture's place
    int inkOutside = 0; // non-white pixels farther than a pixel from it
    QImage page;
};

// The PDF's page count and its single page rendered at kRenderDpi.
PageCheck CheckPdf(const QString& pdf, const QRect& target)
{
    PageCheck check;
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(30000))
        return check;
    for (const QString& line : QString::fromLatin1(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QLatin1String("Pages:")))
            check.pages = line.mid(6).trimmed().toInt();
    const QString stem = pdf + QStringLiteral("-page");
    const int rc = QProcess::execute(QStringLiteral("pdftoppm"),
                                     {"-r", QString::number(kRenderDpi), "-png", "-singlefile", pdf, stem});
    if (rc != 0)
        return check;
    check.page = QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    KeepForLooking(check.page);
    const QRect inside = target.adjusted(1, 1, -1, -1), near = target.adjusted(-1, -1, 1, 1);
    for (int y = 0; y < check.page.height(); ++y)
        for (int x = 0; x < check.page.width(); ++x) {
            const bool ink = !IsWhite(check.page.pixel(x, y));
            if (ink && inside.contains(x, y))
                ++check.inkInside;
            else if (ink && !near.contains(x, y))
                ++check.inkOutside;
        }
    return check;
}

class PrintToPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        KESTREL_SKIP_WITHOUT_X_SERVER();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            GTEST_SKIP() << "pdftoppm (poppler-utils) is missing";
        frame_ = std::make_unique<test::BoundFrame>(640, 480);
        ASSERT_TRUE(frame_->Ready());
        controller_ = frame_->binding->View().findChild<CPrintController*>(QStringLiteral("printController"));
        ASSERT_NE(controller_, nullptr);
        pdf_.setOutputFormat(QPrinter::PdfFormat);
        pdf_.setPageSize(QPageSize(QPageSize::A4));
        pdf_.setOutputFileName(QString::fromStdString(dir_.File("page.pdf")));
    }
    void Open(const std::string& path)
    {
        emit frame_->frame.OpenFileRequested(QString::fromStdString(path));
        frame_->binding->View().grabFramebuffer();
    }
    QAction* Action(int id) { return frame_->frame.Action(id); }

    test::TempDir dir_;
    std::unique_ptr<test::BoundFrame> frame_;
    CPrintController* controller_ = nullptr;
    QPrinter pdf_{QPrinter::HighResolution};
};

TEST_F(PrintToPdf, AModelPrintsOnOnePageInsideTheMargins)
{
    ASSERT_FALSE(Action(cmd::kFilePrint)->isEnabled()); // nothing to print yet
    EXPECT_FALSE(Action(cmd::kFilePrintPreview)->isEnabled());
    EXPECT_TRUE(Action(cmd::kFilePrintSetup)->isEnabled());
    test::WriteBytes(dir_.File("cube.stl"), test::stl::WriteBinary("cube", test::stl::Cube()));
    Open(dir_.File("cube.stl"));
    ASSERT_EQ(frame_->binding->Doc().ViewMode(), 1);
    EXPECT_TRUE(Action(cmd::kFilePrint)->isEnabled());
    EXPECT_TRUE(Action(cmd::kFilePrintPreview)->isEnabled());

    // The picture's context makes textures of its own; the window's stay the model's.
    const unsigned ramp = frame_->binding->Doc().Data().model.mRampTexture;
    ASSERT_TRUE(controller_->PrintTo(pdf_, false));
    EXPECT_FALSE(frame_->frame.Status().Text().contains("Printing failed"));
    EXPECT_EQ(frame_->binding->Doc().Data().model.mRampTexture, ramp);
    // The picture has the view's shape and fills the page's width.
    const printing::PixelSize view = controller_->ViewSize();
    const printing::PixelSize picture =
        printing::PrintPictureSize(printing::PrintableArea(pdf_), view, 0);
    const QRect target = TargetOnRenderedPage(pdf_, picture);
    const PageCheck check = CheckPdf(pdf_.outputFileName(), target);
    EXPECT_EQ(check.pages, 1);
    ASSERT_FALSE(check.page.isNull());
    EXPECT_GT(check.inkInside, 200) << "the model and its grid show on the page";
    EXPECT_EQ(check.inkOutside, 0) << "nothing lies outside the picture's place";
    // The window's own drawing still works afterwards.
    EXPECT_FALSE(frame_->binding->View().grabFramebuffer().isNull());
}

TEST_F(PrintToPdf, AnImagePrintsWhereTheViewShowsIt)
{
    test::RefImage red;
    red.width = 160;
    red.height = 120;
    for (uint32_t i = 0; i < red.width * red.height; ++i)
        red.pixels.insert(red.pixels.end(), {220, 30, 30});
    test::WriteBytes(dir_.File("red.bmp"), test::MakeBmp(red, {}));
    Open(dir_.File("red.bmp"));
    ASSERT_EQ(frame_->binding->Doc().ViewMode(), 2) << frame_->frame.Status().Text().toStdString();

    ASSERT_TRUE(controller_->PrintTo(pdf_, true)); // the preview's size: the view's
    const printing::PixelSize view = controller_->ViewSize();
    const QRect target = TargetOnRenderedPage(pdf_, view);
    const PageCheck check = CheckPdf(pdf_.outputFileName(), target);
    EXPECT_EQ(check.pages, 1);
    ASSERT_FALSE(check.page.isNull());
    EXPECT_EQ(check.inkOutside, 0);
    // The image sits in the middle of the picture as in the view, on white paper around it.
    const QRgb middle = check.page.pixel(target.center());
    EXPECT_GT(qRed(middle), 180);
    EXPECT_LT(qGreen(middle), 90);
    EXPECT_TRUE(IsWhite(check.page.pixel(target.topLeft() + QPoint(2, 2))));
    const double imageShare = double(red.width * red.height) / (double(view.width) * view.height);
    EXPECT_NEAR(double(check.inkInside) / (target.width() * target.height()), imageShare, 0.05);
}

TEST_F(PrintToPdf, APageThatCannotBePaintedIsReported)
{
    frame_->binding->Doc().NewDocument(); // an empty scene: still a model document
    frame_->binding->Doc().SetViewMode(0);
    EXPECT_FALSE(controller_->PrintTo(pdf_, false));
    EXPECT_EQ(frame_->frame.Status().Text(), QStringLiteral("Printing failed (StretchDIBits)!"));
    EXPECT_EQ(frame_->frame.Status().Severity(), 3);

    // A page that cannot be started (a PDF in a folder that is not there) is reported too.
    test::WriteBytes(dir_.File("cube.stl"), test::stl::WriteBinary("cube", test::stl::Cube()));
    Open(dir_.File("cube.stl"));
    ASSERT_EQ(frame_->binding->Doc().ViewMode(), 1);
    EXPECT_FALSE(frame_->frame.Status().Text().contains("Printing failed"));
    pdf_.setOutputFileName(QString::fromStdString(dir_.File("missing/page.pdf")));
    EXPECT_FALSE(controller_->PrintTo(pdf_, false));
    EXPECT_EQ(frame_->frame.Status().Text(), QStringLiteral("Printing failed (StretchDIBits)!"));
}

TEST_F(PrintToPdf, APlayingAnimationPausesWhilePrintingAndPlaysOnAfterwards)
{
    ASSERT_TRUE(samples::WriteAnimatedArm(dir_.Path().string()));
    Open(dir_.File("arm.ms3d"));
    CModel& model = frame_->binding->Doc().Data().model;
    ASSERT_TRUE(model.GetModelStats().animated);
    model.AniPlay(0.0f);
    ASSERT_TRUE(model.AniIsPlaying());
    bool pausedMeanwhile = false;
    {
        // The picture is drawn while the job runs: the animation stands still then.
        printing::AnimationHold outer(model);
        pausedMeanwhile = model.AniIsPaused();
    }
    EXPECT_TRUE(pausedMeanwhile);
    EXPECT_FALSE(model.AniIsPaused());
    ASSERT_TRUE(controller_->PrintTo(pdf_, true));
    EXPECT_TRUE(model.AniIsPlaying());
    EXPECT_FALSE(model.AniIsPaused());

    // An animation the user paused stays paused.
    model.AniPause();
    ASSERT_TRUE(controller_->PrintTo(pdf_, true));
    EXPECT_TRUE(model.AniIsPaused());
}

TEST_F(PrintToPdf, ThePreviewToolbarShowsCloseAndPrintAndZoomWithoutPageStepping)
{
    QPrintPreviewDialog dialog(&pdf_);
    int prints = 0;
    CPrintController::RestylePreviewToolbar(dialog, [&prints] { ++prints; });
    QToolBar* toolbar = dialog.findChild<QToolBar*>();
    ASSERT_NE(toolbar, nullptr);
    QStringList shown;
    for (QAction* action : toolbar->actions())
        if (action->isVisible() && !action->isSeparator())
            shown << action->text();
    EXPECT_EQ(shown.mid(0, 2), (QStringList{"Close", "Print"}));
    EXPECT_TRUE(shown.contains("Zoom In"));
    EXPECT_TRUE(shown.contains("Zoom Out"));
    for (const char* gone : {"Next page", "Previous page", "First page", "Last page"})
        EXPECT_FALSE(shown.contains(gone)) << gone;
    for (QAction* action : toolbar->actions()) {
        QWidget* widget = toolbar->widgetForAction(action);
        if (action->isVisible() && widget) {
            EXPECT_EQ(widget->findChild<QLabel*>(), nullptr) << "the page count is hidden";
        }
    }
    for (QAction* action : toolbar->actions())
        if (action->text() == "Print")
            action->trigger();
    EXPECT_EQ(prints, 1);
}

} // namespace
