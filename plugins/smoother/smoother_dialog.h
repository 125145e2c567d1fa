#pragma once
// "Recalculate Normals": regenerate smoothing from an angle (or keep the model's
// groups, which only locks the angle) and start.

#include <memory>

#include "plugframe/options_dialog.h"
#include "tessera/tessera.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace kestrel::toolkit {
class CClampedSpinBox;
}

class CSmootherOptionsDlg : public COptionsDlgBase {
    Q_OBJECT
public:
    explicit CSmootherOptionsDlg(skModel* model, QWidget* parent = nullptr);

    QRadioButton* ExistingGroupsRadio() const { return existing_; }
    QRadioButton* RegenerateRadio() const { return regenerate_; }
    QLabel* AngleLabel() const { return angleLabel_; }
    kestrel::toolkit::CClampedSpinBox* AngleField() const { return angle_; }
    QPushButton* StartButton() const { return start_; }

protected:
    std::unique_ptr<CProgressJob> CreateJob() override;
    ProgressDlgOptions ProgressOptions() const override;

private:
    void UpdateAngleControls();

    skModel* model_;
    QRadioButton* existing_ = nullptr;
    QRadioButton* regenerate_ = nullptr;
    QLabel* angleLabel_ = nullptr;
    kestrel::toolkit::CClampedSpinBox* angle_ = nullptr;
    QPushButton* start_ = nullptr;
};
