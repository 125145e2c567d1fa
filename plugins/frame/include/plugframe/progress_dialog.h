#pragma once
// The modal progress dialog shared by the plug-ins with a user interface: a bar
// (0 to 100), a status label and Cancel. Its timer's first tick starts the job; the
// job pumps pending events after each step, so later ticks refresh the bar and the
// label and Cancel can be pressed, which then only sets the cancel flag.

#include <QDialog>
#include <QString>
#include <QTimer>

#include <exception>
#include <functional>
#include <optional>

#include "plugframe/job_progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

inline constexpr const char* kTitleCalculation = "Calculation Process";
inline constexpr const char* kTitleExport = "Export Process";

struct ProgressDlgOptions {
    QString title = kTitleExport;
    int timerPeriodMs = 100;
    // When set, checked before the timer starts ("Please define the output file!",
    // "Invalid output path!"); a failed check closes the dialog as cancelled.
    std::optional<QString> outputFile;
    // Any other check before the start (a tool's source file); false closes the
    // dialog as cancelled. It shows its own warning.
    std::function<bool(QWidget* dialog)> precheck;
};

class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    CProgressDlg(CProgressJob& job, ProgressDlgOptions options, QWidget* parent = nullptr);

    // Runs the checks, starts the timer and shows the dialog modally. Accepted when
    // the job finished; Rejected when a check failed, the job failed or was cancelled.
    // An exception thrown by the job is rethrown here once the dialog has closed.
    int exec() override;

    const CJobProgress& Progress() const { return progress_; }
    bool JobStarted() const { return started_; }
    bool JobRunning() const { return running_; }

    QProgressBar* Bar() const { return bar_; }
    QLabel* StatusLabel() const { return label_; }
    QPushButton* CancelButton() const { return cancel_; }
    const QTimer& Timer() const { return timer_; }

public slots:
    // Cancel: while the job runs only the cancel flag is set.
    void reject() override;
    // A timer tick: starts the job the first time, later copies status and percent.
    void OnTick();

private:
    bool RunChecks();
    void RunJob();

    CProgressJob& job_;
    ProgressDlgOptions options_;
    CJobProgress progress_;
    QTimer timer_;
    QProgressBar* bar_ = nullptr;
    QLabel* label_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::exception_ptr failure_;
    bool started_ = false;
    bool running_ = false;
};
