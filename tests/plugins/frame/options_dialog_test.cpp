// The options dialog base: what OK does after the job finished, failed or was cancelled.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTimer>

#include "dialog_test_jobs.h"
#include "plugframe/options_dialog.h"

using kestrel::test::StepJob;
using kestrel::test::WarningRecorder;

namespace {

class TestOptionsDlg : public COptionsDlgBase {
public:
    explicit TestOptionsDlg(AfterCancelledJob after = AfterCancelledJob::StayOpen) : COptionsDlgBase(nullptr, after)
    {
        field = new QLineEdit("out.stl", this);
        SetFileNameField(field);
    }

    // Presses OK once the dialog runs and notes whether it stayed open; closes it if so.
    int ExecAndPressOk()
    {
        QTimer::singleShot(0, this, [this] {
            accept();
            stayedOpen = isVisible();
            focusAfterOk = focusWidget();
            if (stayedOpen)
                reject();
        });
        return exec();
    }

    QLineEdit* field = nullptr;
    bool valid = true;
    bool cancelJob = false;
    bool throwInJob = false;
    bool stayedOpen = false;
    QWidget* focusAfterOk = nullptr;
    int jobsCreated = 0;

protected:
    bool ValidateOptions() override { return valid; }
    std::unique_ptr<CProgressJob> CreateJob() override
    {
        ++jobsCreated;
        auto job = std::make_unique<StepJob>(3);
        job->throwAtEnd = throwInJob;
        job->succeed = !cancelJob;
        return job;
    }
    ProgressDlgOptions ProgressOptions() const override
    {
        ProgressDlgOptions options;
        options.timerPeriodMs = 1;
        options.outputFile = field->text();
        return options;
    }
};

TEST(OptionsDialog, FinishedJobClosesWithOk)
{
    TestOptionsDlg dialog;
    EXPECT_EQ(dialog.ExecAndPressOk(), QDialog::Accepted);
    EXPECT_FALSE(dialog.stayedOpen);
    EXPECT_EQ(dialog.jobsCreated, 1);
}

TEST(OptionsDialog, CancelledJobLeavesItOpenWithTheFileNameFocused)
{
    TestOptionsDlg dialog;
    dialog.cancelJob = true;
    EXPECT_EQ(dialog.ExecAndPressOk(), QDialog::Rejected);
    EXPECT_TRUE(dialog.stayedOpen);
    EXPECT_EQ(dialog.focusAfterOk, dialog.field);
}

TEST(OptionsDialog, CancelledJobClosesItWhenThePlugInSaysSo)
{
    TestOptionsDlg dialog(COptionsDlgBase::AfterCancelledJob::Close);
    dialog.cancelJob = true;
    EXPECT_EQ(dialog.ExecAndPressOk(), QDialog::Rejected);
    EXPECT_FALSE(dialog.stayedOpen);
}

TEST(OptionsDialog, EmptyOutputFileWarnsAndStaysOpen)
{
    WarningRecorder recorder;
    TestOptionsDlg dialog;
    dialog.field->clear();
    EXPECT_EQ(dialog.ExecAndPressOk(), QDialog::Rejected);
    EXPECT_TRUE(dialog.stayedOpen);
    EXPECT_EQ(recorder.warnings, QStringList{"Please define the output file!"});
}

TEST(OptionsDialog, InvalidOptionsRunNoJob)
{
    TestOptionsDlg dialog;
    dialog.valid = false;
    dialog.ExecAndPressOk();
    EXPECT_TRUE(dialog.stayedOpen);
    EXPECT_EQ(dialog.jobsCreated, 0);
}

TEST(OptionsDialog, JobExceptionReachesTheCallerOfExec)
{
    TestOptionsDlg dialog;
    dialog.throwInJob = true;
    EXPECT_THROW(dialog.ExecAndPressOk(), std::runtime_error);
}

} // namespace
