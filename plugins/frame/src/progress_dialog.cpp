#include "plugframe/progress_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

#include "plugframe/frame_ui.h"
#include "plugframe/output_path.h"

CProgressDlg::CProgressDlg(CProgressJob& job, ProgressDlgOptions options, QWidget* parent)
    : QDialog(parent), job_(job), options_(std::move(options)), progress_(PumpPendingEvents)
{
    setWindowTitle(options_.title);
    setModal(true);

    bar_ = new QProgressBar(this);
    bar_->setObjectName("progressBar");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    label_ = new QLabel(QString::fromStdString(job_.InitialStatus()), this);
    label_->setObjectName("statusLabel");
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName("cancelButton");
    connect(cancel_, &QPushButton::clicked, this, &CProgressDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    timer_.setInterval(options_.timerPeriodMs);
    connect(&timer_, &QTimer::timeout, this, &CProgressDlg::OnTick);
}

bool CProgressDlg::RunChecks()
{
    if (options_.outputFile) {
        const OutputPathCheck check = PrepareOutputPath(options_.outputFile->toStdString());
        if (const char* message = OutputPathMessage(check)) {
            ShowWarning(this, QString::fromUtf8(message));
            return false;
        }
    }
    return !options_.precheck || options_.precheck(this);
}

int CProgressDlg::exec()
{
    if (!RunChecks()) {
        setResult(Rejected);
        return Rejected;
    }
    bar_->setRange(0, 100);
    bar_->setValue(0);
    started_ = false;
    failure_ = nullptr;
    timer_.start();
    const int result = QDialog::exec();
    timer_.stop();
    if (failure_)
        std::rethrow_exception(failure_);
    return result;
}

void CProgressDlg::reject()
{
    if (started_) {
        progress_.RequestCancel();
        return;
    }
    timer_.stop();
    QDialog::reject();
}

void CProgressDlg::OnTick()
{
    if (!started_) {
        // A timer does not fire again while its own tick runs, so the job runs right
        // after this tick; the ticks that follow then reach the dialog during its steps.
        started_ = true;
        QMetaObject::invokeMethod(this, &CProgressDlg::RunJob, Qt::QueuedConnection);
        return;
    }
    label_->setText(QString::fromStdString(progress_.Status()));
    bar_->setValue(progress_.Percent());
}

void CProgressDlg::RunJob()
{
    running_ = true;
    progress_.SetStatus(job_.InitialStatus());
    bool finished = false;
    std::exception_ptr failure;
    try {
        finished = job_.Run(progress_);
    } catch (...) {
        // Exceptions must not cross Qt's event loop; exec() passes it on to the caller.
        failure = std::current_exception();
    }
    running_ = false;
    timer_.stop();
    label_->setText(QString::fromStdString(progress_.Status()));
    bar_->setValue(progress_.Percent());
    failure_ = failure;
    done(finished && !progress_.Cancelled() && !failure ? Accepted : Rejected);
}
