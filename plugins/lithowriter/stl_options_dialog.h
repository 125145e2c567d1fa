#pragma once
// "Stereo Litography Export": the output file and the choice of binary or ASCII.

#include <memory>

#include "plugframe/options_dialog.h"
#include "tessera/tessera.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

class CStlOptionsDlg : public COptionsDlgBase {
    Q_OBJECT
public:
    explicit CStlOptionsDlg(const skModel* model, QWidget* parent = nullptr);

    QLineEdit* FileName() const { return fileName_; }
    QPushButton* BrowseButton() const { return browse_; }
    QRadioButton* BinaryRadio() const { return binary_; }
    QRadioButton* AsciiRadio() const { return ascii_; }

public slots:
    void Browse();

protected:
    std::unique_ptr<CProgressJob> CreateJob() override;
    ProgressDlgOptions ProgressOptions() const override;

private:
    const skModel* model_;
    QLineEdit* fileName_ = nullptr;
    QPushButton* browse_ = nullptr;
    QRadioButton* binary_ = nullptr;
    QRadioButton* ascii_ = nullptr;
};
