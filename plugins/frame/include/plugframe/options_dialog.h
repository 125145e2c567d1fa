#pragma once
// Base of the plug-ins' options dialogs. OK validates the options and runs the job
// in the progress dialog; the options dialog closes with OK when the job finished.
// Otherwise it stays open with the focus on its file-name field, or closes as
// cancelled, as the plug-in chooses.

#include <QDialog>

#include <exception>
#include <memory>

#include "plugframe/progress_dialog.h"

class QLineEdit;

class COptionsDlgBase : public QDialog {
    Q_OBJECT
public:
    enum class AfterCancelledJob { StayOpen, Close };

    explicit COptionsDlgBase(QWidget* parent = nullptr, AfterCancelledJob after = AfterCancelledJob::StayOpen);

    // The field that takes the focus when the dialog stays open after a cancelled job.
    void SetFileNameField(QLineEdit* field) { fileNameField_ = field; }
    QLineEdit* FileNameField() const { return fileNameField_; }

    // Shows the dialog modally. An exception thrown by the job closes the dialog as
    // cancelled and is rethrown here, so that it reaches the host.
    int exec() override;

public slots:
    void accept() override;

protected:
    // Checks the options before the job; false keeps the dialog open (it shows its own
    // warning).
    virtual bool ValidateOptions() { return true; }
    // The job for the current options; null keeps the dialog open.
    virtual std::unique_ptr<CProgressJob> CreateJob() = 0;
    // Title, timer period, output file and checks of the progress dialog.
    virtual ProgressDlgOptions ProgressOptions() const = 0;

private:
    AfterCancelledJob after_;
    std::exception_ptr failure_;
    QLineEdit* fileNameField_ = nullptr;
};
