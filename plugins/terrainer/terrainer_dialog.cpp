#include "terrainer_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "image_preview.h"
#include "plugframe/frame_ui.h"
#include "toolkit/clamped_spin_box.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/tool_job.h"
#include "toolkit/tool_messages.h"

using namespace kestrel::terrain;
using kestrel::toolkit::CClampedDoubleSpinBox;
using kestrel::toolkit::CClampedSpinBox;

namespace {

constexpr const char* kImageFilter =
    "All Supported Files (*.*)|*.cel;*.pic;*.dds;*.gif;*.jpg;*.jpeg;*.png;*.pcx;*.tga;*.bmp;*.dib|"
    "Autodesk Animator Graphic (*.cel;*.pic)|*.cel;*.pic|DirectX DirectDraw Surface (*.dds)|*.dds|"
    "Graphics Interchange Format (*.gif)|*.gif|JPEG Image (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
    "Portable Network Graphics (*.png)|*.png|Publisher's Paintbrush Bitmap Graphic (*.pcx)|*.pcx|"
    "Targa Image (*.tga)|*.tga|Windows Bitmap Graphic (*.bmp;*.dib)|*.bmp;*.dib||";
constexpr const char* kMsgImageReadError = "Image read error!";
constexpr const char* kMsgDefineSourceFile = "Please define the source file!";

CClampedDoubleSpinBox* MakeDoubleField(const char* name, double min, double value, QWidget* parent)
{
    auto* field = new CClampedDoubleSpinBox(parent);
    field->setObjectName(name);
    field->setDecimals(1);
    field->setRange(min, kExtentMax);
    field->setSingleStep(kSpinStep);
    field->setValue(value);
    return field;
}

CClampedSpinBox* SegmentField(const char* name, QWidget* parent)
{
    auto* field = new CClampedSpinBox(parent);
    field->setObjectName(name);
    field->setRange(1, 1000);
    field->setValue(10);
    return field;
}

QCheckBox* CheckBox(const char* text, const char* name, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

} // namespace

CTerrainOptionsDlg::CTerrainOptionsDlg(skModel* model, QWidget* parent) : COptionsDlgBase(parent), model_(model)
{
    setWindowTitle("Landscape Generator");

    fileName_ = new QLineEdit(this);
    fileName_->setObjectName("fileName");
    fileName_->setReadOnly(true);
    browse_ = new QPushButton("...", this);
    browse_->setObjectName("browse");
    connect(browse_, &QPushButton::clicked, this, &CTerrainOptionsDlg::Browse);

    keepAspect_ = CheckBox("Keep &aspect ratio", "keepAspect", true, this);
    connect(keepAspect_, &QCheckBox::toggled, this, &CTerrainOptionsDlg::OnKeepAspectToggled);
    lengthX_ = MakeDoubleField("lengthX", kExtentMin, kDefaultExtent, this);
    widthZ_ = MakeDoubleField("widthZ", kExtentMin, kDefaultExtent, this);
    heightY_ = MakeDoubleField("heightY", kExtentMin, kDefaultHeight, this);
    lengthX_->SetStepsHandledOutside(true);
    widthZ_->SetStepsHandledOutside(true);
    connect(lengthX_, &CClampedDoubleSpinBox::stepped, this, [this](int steps) { OnStep(steps, false); });
    connect(widthZ_, &CClampedDoubleSpinBox::stepped, this, [this](int steps) { OnStep(steps, true); });
    lengthSegments_ = SegmentField("lengthSegments", this);
    widthSegments_ = SegmentField("widthSegments", this);

    texCoords_ = CheckBox("Generate &texture coords", "texCoords", true, this);
    tileU_ = MakeDoubleField("tileU", 0.1, 1.0, this);
    tileV_ = MakeDoubleField("tileV", 0.1, 1.0, this);
    useAlpha_ = CheckBox("Use alp&ha layer", "useAlpha", false, this);
    useAlpha_->setEnabled(false);
    quadWireframe_ = CheckBox("&Quad wireframe", "quadWireframe", true, this);

    widthLabel_ = new QLabel(this);
    widthLabel_->setObjectName("imageWidth");
    heightLabel_ = new QLabel(this);
    heightLabel_->setObjectName("imageHeight");
    bitsLabel_ = new QLabel(this);
    bitsLabel_->setObjectName("imageBits");
    preview_ = new CImagePreview(this);
    preview_->setObjectName("preview");

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const char* label, QWidget* field) {
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(field, row++, 1);
    };
    addRow("Length (X):", lengthX_);
    addRow("Width (Z):", widthZ_);
    addRow("Height (Y):", heightY_);
    addRow("Length segments:", lengthSegments_);
    addRow("Width segments:", widthSegments_);
    addRow("U tile:", tileU_);
    addRow("V tile:", tileV_);
    addRow("Image width:", widthLabel_);
    addRow("Image height:", heightLabel_);
    addRow("Colour bits:", bitsLabel_);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileName_);
    fileRow->addWidget(browse_);
    auto* options = new QVBoxLayout;
    options->addLayout(grid);
    for (QCheckBox* box : {keepAspect_, texCoords_, useAlpha_, quadWireframe_})
        options->addWidget(box);
    auto* body = new QHBoxLayout;
    body->addLayout(options);
    body->addWidget(preview_, 1);

    auto* buttons = new QDialogButtonBox(this);
    generate_ = buttons->addButton("&Generate", QDialogButtonBox::AcceptRole);
    generate_->setObjectName("generate");
    generate_->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTerrainOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTerrainOptionsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(body);
    layout->addWidget(buttons);
    SetFileNameField(fileName_);
    ShowImageInfo();
}

void CTerrainOptionsDlg::ShowImageInfo()
{
    widthLabel_->setText(QString("%1px").arg(image_.width));
    heightLabel_->setText(QString("%1px").arg(image_.height));
    bitsLabel_->setText(QString::number(image_.bpp));
    useAlpha_->setEnabled(image_.bpp == 32);
    if (image_.bpp != 32)
        useAlpha_->setChecked(false);
    preview_->SetImage(image_);
}

void CTerrainOptionsDlg::SetExtent(const Extent& extent)
{
    lengthX_->setValue(extent.x);
    widthZ_->setValue(extent.z);
}

Extent CTerrainOptionsDlg::CurrentExtent() const { return {lengthX_->value(), widthZ_->value()}; }

bool CTerrainOptionsDlg::LoadImage(const QString& path)
{
    HeightImage loaded;
    if (!LoadHeightImage(path.toStdString(), loaded)) {
        image_ = {};
        alphaImage_ = {};
        fileName_->clear();
        ShowImageInfo();
        ShowWarning(this, kMsgImageReadError);
        return false;
    }
    image_ = std::move(loaded);
    alphaImage_ = AlphaAsGray(image_);
    fileName_->setText(QDir::toNativeSeparators(path));
    heightY_->setValue(kDefaultHeight);
    SetExtent(keepAspect_->isChecked() ? ExtentAfterLoad(int(image_.width), int(image_.height)) : Extent{});
    ShowImageInfo();
    return true;
}

void CTerrainOptionsDlg::Browse()
{
    const QString chosen = kestrel::toolkit::AskOpenFileName(this, kImageFilter);
    if (!chosen.isEmpty())
        LoadImage(chosen);
}

void CTerrainOptionsDlg::OnKeepAspectToggled(bool on)
{
    if (on && !image_.Empty())
        SetExtent(KeepAspect(CurrentExtent(), int(image_.width), int(image_.height)));
}

void CTerrainOptionsDlg::OnStep(int steps, bool stepZ)
{
    SetExtent(StepExtent(CurrentExtent(), steps * kSpinStep, stepZ, keepAspect_->isChecked()));
}

TerrainOptions CTerrainOptionsDlg::Options() const
{
    for (DoubleField* field : {lengthX_, widthZ_, heightY_, tileU_, tileV_})
        field->interpretText();
    TerrainOptions options;
    options.lengthX = float(lengthX_->value());
    options.widthZ = float(widthZ_->value());
    options.heightY = float(heightY_->value());
    options.tileU = float(tileU_->value());
    options.tileV = float(tileV_->value());
    options.textureCoords = texCoords_->isChecked();
    options.quadWireframe = quadWireframe_->isChecked();
    return options;
}

const HeightImage& CTerrainOptionsDlg::SourceImage() const
{
    return image_.bpp == 32 && useAlpha_->isChecked() ? alphaImage_ : image_;
}

std::unique_ptr<CProgressJob> CTerrainOptionsDlg::CreateJob()
{
    const TerrainOptions options = Options();
    const HeightImage* image = &SourceImage();
    skModel* model = model_;
    return std::make_unique<kestrel::toolkit::CToolJob>("Generating landscape...", [=](CJobProgress& progress) {
        return BuildTerrain(model, *image, options, progress);
    });
}

ProgressDlgOptions CTerrainOptionsDlg::ProgressOptions() const
{
    ProgressDlgOptions options;
    options.title = kTitleCalculation;
    options.precheck = [this](QWidget* dialog) {
        if (!fileName_->text().isEmpty() && !image_.Empty())
            return true;
        kestrel::toolkit::ShowInformation(dialog, kMsgDefineSourceFile);
        return false;
    };
    return options;
}
