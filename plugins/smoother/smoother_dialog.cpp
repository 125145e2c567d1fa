#include "smoother_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "normals_recalc.h"
#include "toolkit/clamped_spin_box.h"
#include "toolkit/tool_job.h"

CSmootherOptionsDlg::CSmootherOptionsDlg(skModel* model, QWidget* parent)
    : COptionsDlgBase(parent, AfterCancelledJob::Close), model_(model)
{
    setWindowTitle("Recalculate Normals");

    existing_ = new QRadioButton("Use e&xisting model smoothing groups", this);
    existing_->setObjectName("existingGroups");
    regenerate_ = new QRadioButton("&Regenerate smoothing groups", this);
    regenerate_->setObjectName("regenerate");
    regenerate_->setChecked(true);
    connect(existing_, &QRadioButton::toggled, this, &CSmootherOptionsDlg::UpdateAngleControls);

    angleLabel_ = new QLabel("&Smoothing angle (degrees)", this);
    angle_ = new kestrel::toolkit::CClampedSpinBox(this);
    angle_->setObjectName("angle");
    angle_->setRange(0, 180);
    angle_->setValue(30);
    angleLabel_->setBuddy(angle_);
    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(angleLabel_);
    angleRow->addWidget(angle_);

    auto* tip = new QLabel("Tip: try unifying equal vertices with the Unifier tool (Menu > Tools > 3D Edit > Unifier) "
                           "before recalculating normals.",
                           this);
    tip->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    start_ = buttons->addButton("&S&tart", QDialogButtonBox::AcceptRole);
    start_->setObjectName("start");
    start_->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSmootherOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSmootherOptionsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(existing_);
    layout->addWidget(regenerate_);
    layout->addLayout(angleRow);
    layout->addWidget(tip);
    layout->addWidget(buttons);
    UpdateAngleControls();
}

void CSmootherOptionsDlg::UpdateAngleControls()
{
    const bool regenerate = !existing_->isChecked();
    angleLabel_->setEnabled(regenerate);
    angle_->setEnabled(regenerate);
}

std::unique_ptr<CProgressJob> CSmootherOptionsDlg::CreateJob()
{
    angle_->interpretText();  // a typed value not yet committed
    const int angle = angle_->value();
    skModel* model = model_;
    return std::make_unique<kestrel::toolkit::CToolJob>("Recalculating normals...", [=](CJobProgress& progress) {
        return kestrel::smoother::RecalculateNormals(model, angle, progress);
    });
}

ProgressDlgOptions CSmootherOptionsDlg::ProgressOptions() const
{
    ProgressDlgOptions options;
    options.title = kTitleCalculation;
    options.timerPeriodMs = 500;
    return options;
}
