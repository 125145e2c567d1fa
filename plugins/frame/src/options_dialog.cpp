#include "plugframe/options_dialog.h"

#include <QLineEdit>

#include <utility>

#include "plugframe/dialog_fit.h"

COptionsDlgBase::COptionsDlgBase(QWidget* parent, AfterCancelledJob after) : QDialog(parent), after_(after) {}

int COptionsDlgBase::exec()
{
    failure_ = nullptr;
    FitToTitleAndPath(*this, fileNameField_);
    const int result = QDialog::exec();
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
    return result;
}

void COptionsDlgBase::accept()
{
    if (!ValidateOptions())
        return;
    std::unique_ptr<CProgressJob> job = CreateJob();
    if (!job)
        return;
    CProgressDlg progress(*job, ProgressOptions(), this);
    int result = QDialog::Rejected;
    try {
        result = progress.exec();
    } catch (...) {
        failure_ = std::current_exception();
        QDialog::reject();
        return;
    }
    if (result == QDialog::Accepted) {
        QDialog::accept();
        return;
    }
    if (after_ == AfterCancelledJob::Close) {
        QDialog::reject();
        return;
    }
    if (fileNameField_)
        fileNameField_->setFocus();
}
