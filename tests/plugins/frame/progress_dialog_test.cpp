// The shared progress dialog: start from the timer, steps, percentages, cancel and
// the checks before the start.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "dialog_test_jobs.h"
#include "plugframe/progress_dialog.h"
#include "temp_dir.h"

namespace fs = std::filesystem;
using kestrel::test::StepJob;
using kestrel::test::WarningRecorder;

namespace {

ProgressDlgOptions Fast(const char* title = kTitleCalculation)
{
    ProgressDlgOptions options;
    options.title = title;
    options.timerPeriodMs = 1;
    return options;
}

TEST(ProgressDialog, StartsWithTitleLabelEmptyBarAndTimerPeriod)
{
    StepJob job(1);
    CProgressDlg dialog(job, ProgressDlgOptions{});
    EXPECT_EQ(dialog.windowTitle(), "Export Process");
    EXPECT_EQ(dialog.StatusLabel()->text(), "Recalculating normals...");
    EXPECT_EQ(dialog.Bar()->minimum(), 0);
    EXPECT_EQ(dialog.Bar()->maximum(), 100);
    EXPECT_EQ(dialog.Bar()->value(), 0);
    EXPECT_EQ(dialog.Timer().interval(), 100);

    ProgressDlgOptions slow;
    slow.title = kTitleCalculation;
    slow.timerPeriodMs = 500;
    CProgressDlg smoother(job, slow);
    EXPECT_EQ(smoother.windowTitle(), "Calculation Process");
    EXPECT_EQ(smoother.Timer().interval(), 500);
}

TEST(ProgressDialog, FirstTickRunsTheJobAndItClosesWithOk)
{
    StepJob job(4);
    ProgressDlgOptions options;  // the real 100 ms period
    CProgressDlg dialog(job, options);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(job.ran);
    EXPECT_EQ(job.stepsRun, 4);
    EXPECT_FALSE(dialog.Timer().isActive());
    EXPECT_EQ(dialog.Bar()->value(), 100);
    EXPECT_EQ(dialog.StatusLabel()->text(), "Step 4");
}

TEST(ProgressDialog, LaterTicksCopyStatusAndPercentage)
{
    CProgressDlg* dialog = nullptr;
    QString labelSeen;
    int barSeen = -1;
    StepJob job(5, [&](int step) {
        if (step != 2)
            return;
        dialog->OnTick();
        labelSeen = dialog->StatusLabel()->text();
        barSeen = dialog->Bar()->value();
    });
    CProgressDlg dlg(job, Fast());
    dialog = &dlg;
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(labelSeen, "Step 2");
    EXPECT_EQ(barSeen, 40);
}

TEST(ProgressDialog, TimerKeepsTickingWhileTheJobPumps)
{
    CProgressDlg* dialog = nullptr;
    bool refreshed = false;
    StepJob job(2, [&](int step) {
        if (step != 1)
            return;
        // The bar only moves on a tick; pump until one arrives (bounded).
        QDeadlineTimer deadline(5000);
        while (dialog->Bar()->value() != 50 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        refreshed = dialog->Bar()->value() == 50 && dialog->StatusLabel()->text() == "Step 1";
    });
    CProgressDlg dlg(job, Fast());
    dialog = &dlg;
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_TRUE(refreshed);
}

TEST(ProgressDialog, CancelWhileRunningOnlySetsTheFlagAndTheJobStops)
{
    CProgressDlg* dialog = nullptr;
    bool openAfterCancel = false;
    StepJob job(10, [&](int step) {
        if (step == 3)  // queued: the pump after the next step delivers the click
            QMetaObject::invokeMethod(dialog->CancelButton(), "click", Qt::QueuedConnection);
        if (step == 4)
            openAfterCancel = dialog->isVisible() && dialog->Progress().Cancelled();
    });
    CProgressDlg dlg(job, Fast());
    dialog = &dlg;
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_TRUE(openAfterCancel);
    EXPECT_EQ(job.stepsRun, 4);
    EXPECT_FALSE(dlg.isVisible());
}

TEST(ProgressDialog, CancelBeforeTheFirstTickClosesWithoutRunningTheJob)
{
    StepJob job(3);
    CProgressDlg dialog(job, ProgressDlgOptions{});
    QTimer::singleShot(0, dialog.CancelButton(), [&] { QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(job.ran);
}

TEST(ProgressDialog, FailedJobClosesAsCancelled)
{
    StepJob job(2);
    job.succeed = false;
    CProgressDlg dialog(job, Fast());
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(job.stepsRun, 2);
}

TEST(ProgressDialog, JobExceptionIsRethrownAfterTheDialogCloses)
{
    StepJob job(1);
    job.throwAtEnd = true;
    CProgressDlg dialog(job, Fast());
    EXPECT_THROW(dialog.exec(), std::runtime_error);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ProgressDialog, OutputFileChecksComeBeforeTheJob)
{
    WarningRecorder recorder;
    kestrel::test::TempDir dir;
    kestrel::test::CurrentDirScope keep(fs::current_path());

    StepJob empty(1);
    ProgressDlgOptions options = Fast(kTitleExport);
    options.outputFile = QString();
    EXPECT_EQ(CProgressDlg(empty, options).exec(), QDialog::Rejected);
    EXPECT_FALSE(empty.ran);

    StepJob invalid(1);
    options.outputFile = QString::fromStdString((dir.Path() / "missing" / "out.stl").string());
    EXPECT_EQ(CProgressDlg(invalid, options).exec(), QDialog::Rejected);
    EXPECT_FALSE(invalid.ran);
    EXPECT_EQ(recorder.warnings, (QStringList{"Please define the output file!", "Invalid output path!"}));

    StepJob valid(1);
    options.outputFile = QString::fromStdString((dir.Path() / "out.stl").string());
    EXPECT_EQ(CProgressDlg(valid, options).exec(), QDialog::Accepted);
    EXPECT_TRUE(valid.ran);
    EXPECT_EQ(fs::current_path(), fs::canonical(dir.Path()));
}

TEST(ProgressDialog, FailedPrecheckClosesWithoutRunningTheJob)
{
    StepJob job(1);
    ProgressDlgOptions options = Fast();
    options.precheck = [](QWidget*) { return false; };
    EXPECT_EQ(CProgressDlg(job, options).exec(), QDialog::Rejected);
    EXPECT_FALSE(job.ran);
}

} // namespace
