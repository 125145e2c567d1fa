#include "ms3d_ascii_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ms3d_ascii_export.h"
#include "plugframe/frame_ui.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/output_file.h"
#include "toolkit/tool_job.h"
#include "toolkit/tool_messages.h"

using namespace kestrel::ms3dascii;

namespace {

constexpr const char* kFilter = "MilkShape3D ASCII Files (*.txt)|*.txt|All Files (*.*)|*.*||";

QCheckBox* OptionBox(const char* text, const char* name, bool available, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(available);
    box->setEnabled(available);
    return box;
}

} // namespace

CMs3dAsciiOptionsDlg::CMs3dAsciiOptionsDlg(const skModel* model, QWidget* parent)
    : COptionsDlgBase(parent), model_(model)
{
    setWindowTitle("MS3D ASCII Export");

    auto* fileFrame = new QGroupBox("Filename", this);
    auto* label = new QLabel("Select a &file to export to:", fileFrame);
    fileName_ = new QLineEdit(fileFrame);
    fileName_->setObjectName("fileName");
    label->setBuddy(fileName_);
    browse_ = new QPushButton("...", fileFrame);
    browse_->setObjectName("browse");
    connect(browse_, &QPushButton::clicked, this, &CMs3dAsciiOptionsDlg::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileName_);
    fileRow->addWidget(browse_);
    auto* fileLayout = new QVBoxLayout(fileFrame);
    fileLayout->addWidget(label);
    fileLayout->addLayout(fileRow);

    const bool hasJoints = skModelGetJointCount(model) > 0;
    auto* optionFrame = new QGroupBox("Export options", this);
    meshes_ = OptionBox("Export &Meshes", "meshes", skModelGetGroupCount(model) > 0, optionFrame);
    materials_ = OptionBox("Export Ma&terials", "materials", skModelGetMaterialCount(model) > 0, optionFrame);
    skeleton_ = OptionBox("Export &Skeleton", "skeleton", hasJoints, optionFrame);
    animation_ = OptionBox("Export &Animation", "animation", hasJoints && skModelGetAnimationLength(model) != 0,
                           optionFrame);
    connect(skeleton_, &QCheckBox::toggled, this, &CMs3dAsciiOptionsDlg::OnSkeletonToggled);
    auto* optionLayout = new QVBoxLayout(optionFrame);
    for (QCheckBox* box : {meshes_, materials_, skeleton_, animation_})
        optionLayout->addWidget(box);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMs3dAsciiOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMs3dAsciiOptionsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileFrame);
    layout->addWidget(optionFrame);
    layout->addWidget(buttons);
    SetFileNameField(fileName_);
}

void CMs3dAsciiOptionsDlg::OnSkeletonToggled(bool checked)
{
    if (skModelGetAnimationLength(model_) != 0)
        animation_->setEnabled(checked);
}

void CMs3dAsciiOptionsDlg::Browse()
{
    const QString chosen = kestrel::toolkit::AskSaveFileName(this, kFilter, "txt");
    fileName_->setText(chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen));
}

ExportOptions CMs3dAsciiOptionsDlg::Options() const
{
    ExportOptions options;
    options.meshes = meshes_->isChecked();
    options.materials = materials_->isChecked();
    options.skeleton = skeleton_->isChecked();
    options.animation = options.skeleton && animation_->isChecked();
    return options;
}

bool CMs3dAsciiOptionsDlg::ConfirmExport(QWidget* dialog) const
{
    const ExportOptions options = Options();
    switch (CheckExport(model_, options)) {
    case ExportRefusal::NothingToExport:
        ShowWarning(dialog, kMsgNothingToExport);
        return false;
    case ExportRefusal::NoOptionsSelected:
        ShowWarning(dialog, kMsgNoOptionsSelected);
        return false;
    case ExportRefusal::None:
        break;
    }
    for (const char* question : LimitWarnings(model_, options))
        if (!kestrel::toolkit::AskOkCancel(dialog, question))
            return false;
    return true;
}

std::unique_ptr<CProgressJob> CMs3dAsciiOptionsDlg::CreateJob()
{
    const std::string path = fileName_->text().toStdString();
    const ExportOptions options = Options();
    const skModel* model = model_;
    QWidget* owner = this;
    return std::make_unique<kestrel::toolkit::CToolJob>("Exporting...", [=](CJobProgress& progress) {
        if (ExportMs3dAscii(model, path, options, progress) == ExportResult::Written)
            return true;
        kestrel::toolkit::ShowError(owner, kestrel::toolkit::kMsgErrorWritingFile);
        return false;
    });
}

ProgressDlgOptions CMs3dAsciiOptionsDlg::ProgressOptions() const
{
    ProgressDlgOptions options;
    options.title = kTitleExport;
    options.outputFile = fileName_->text();
    options.precheck = [this](QWidget* dialog) { return ConfirmExport(dialog); };
    return options;
}
