#include "stl_options_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "stl_export.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/output_file.h"
#include "toolkit/tool_job.h"
#include "toolkit/tool_messages.h"

namespace {
constexpr const char* kStlFilter =
    "Stereo Litography Files (*.stl;*.stla;*.stlb)|*.stl;*.stla;*.stlb|All Files (*.*)|*.*||";
} // namespace

CStlOptionsDlg::CStlOptionsDlg(const skModel* model, QWidget* parent) : COptionsDlgBase(parent), model_(model)
{
    setWindowTitle("Stereo Litography Export");

    fileName_ = new QLineEdit(this);
    fileName_->setObjectName("fileName");
    browse_ = new QPushButton("...", this);
    browse_->setObjectName("browse");
    connect(browse_, &QPushButton::clicked, this, &CStlOptionsDlg::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileName_);
    fileRow->addWidget(browse_);

    binary_ = new QRadioButton("Export to &binary file format", this);
    binary_->setObjectName("binary");
    binary_->setChecked(true);
    ascii_ = new QRadioButton("Export to &ASCII file format", this);
    ascii_->setObjectName("ascii");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CStlOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CStlOptionsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addWidget(binary_);
    layout->addWidget(ascii_);
    layout->addWidget(buttons);
    SetFileNameField(fileName_);
}

void CStlOptionsDlg::Browse()
{
    const QString chosen = kestrel::toolkit::AskSaveFileName(this, kStlFilter, "stl");
    if (!chosen.isEmpty())
        fileName_->setText(QDir::toNativeSeparators(chosen));
}

std::unique_ptr<CProgressJob> CStlOptionsDlg::CreateJob()
{
    const std::string path = fileName_->text().toStdString();
    kestrel::stl::ExportOptions options;
    options.binary = binary_->isChecked();
    const skModel* model = model_;
    QWidget* owner = this;
    return std::make_unique<kestrel::toolkit::CToolJob>("Exporting...", [=](CJobProgress& progress) {
        if (kestrel::stl::ExportStl(model, path, options, progress) == kestrel::stl::ExportResult::Written)
            return true;
        kestrel::toolkit::ShowError(owner, kestrel::toolkit::kMsgErrorWritingFile);
        return false;
    });
}

ProgressDlgOptions CStlOptionsDlg::ProgressOptions() const
{
    ProgressDlgOptions options;
    options.title = kTitleExport;
    options.outputFile = fileName_->text();
    return options;
}
