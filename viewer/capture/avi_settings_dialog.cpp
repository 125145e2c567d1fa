#include "avi_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

namespace kestrel::capture {
namespace {
constexpr int kLargestVideoSide = 8192;
constexpr int kLastFrame = 1000000;
const char kVideoFilter[] = "Video File (*.avi);;MP4 Video (*.mp4);;All files (*)";
} // namespace

CAviSettingsDialog::CAviSettingsDialog(const AviSettings& defaults, std::vector<LoopRange> loops, QWidget* parent)
    : QDialog(parent), loops_(std::move(loops)), settings_(defaults)
{
    setWindowTitle(QStringLiteral("AVI Settings"));
    setObjectName("aviSettings");
    auto* form = new QFormLayout;
    output_ = new QLineEdit(QString::fromStdString(defaults.output));
    output_->setObjectName("output");
    output_->setMinimumWidth(320);
    auto* browse = new QPushButton(QStringLiteral("..."));
    browse->setObjectName("browse");
    browse->setFixedWidth(32);
    connect(browse, &QPushButton::clicked, this, &CAviSettingsDialog::Browse);
    auto* file = new QHBoxLayout;
    file->addWidget(output_, 1);
    file->addWidget(browse);
    form->addRow(QStringLiteral("Output file:"), file);

    const auto spin = [](const char* name, int minimum, int maximum, int value) {
        auto* box = new QSpinBox;
        box->setObjectName(name);
        box->setRange(minimum, maximum);
        box->setValue(value);
        return box;
    };
    width_ = spin("width", 0, kLargestVideoSide, defaults.width);
    height_ = spin("height", 0, kLargestVideoSide, defaults.height);
    auto* size = new QHBoxLayout;
    size->addWidget(width_);
    size->addWidget(new QLabel(QStringLiteral("x")));
    size->addWidget(height_);
    size->addStretch();
    form->addRow(QStringLiteral("Viewport:"), size);
    frameRate_ = new QLineEdit(QString::asprintf("%.2f", defaults.frameRate));
    frameRate_->setObjectName("frameRate");
    form->addRow(QStringLiteral("Frame rate:"), frameRate_);
    loop_ = new QComboBox;
    loop_->setObjectName("sequence");
    for (const LoopRange& loop : loops_)
        loop_->addItem(QString::fromStdString(loop.name));
    loop_->setCurrentIndex(defaults.loop);
    form->addRow(QStringLiteral("Sequence:"), loop_);
    start_ = spin("startFrame", 1, kLastFrame, defaults.startFrame);
    end_ = spin("endFrame", 1, kLastFrame, defaults.endFrame);
    auto* frames = new QHBoxLayout;
    frames->addWidget(start_);
    frames->addWidget(new QLabel(QStringLiteral("to")));
    frames->addWidget(end_);
    frames->addStretch();
    form->addRow(QStringLiteral("Frames:"), frames);
    speed_ = new QLineEdit(QStringLiteral("1.00"));
    speed_->setObjectName("speed");
    form->addRow(QStringLiteral("Animation speed:"), speed_);
    connect(loop_, &QComboBox::currentIndexChanged, this, &CAviSettingsDialog::LoopChosen);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Accept())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CAviSettingsDialog::Browse()
{
    const QString name = QFileDialog::getSaveFileName(this, QString(), output_->text(), QString::fromLatin1(kVideoFilter));
    if (!name.isEmpty())
        output_->setText(name);
}

void CAviSettingsDialog::LoopChosen(int loop)
{
    if (loop >= 0 && size_t(loop) < loops_.size()) {
        start_->setValue(1);
        end_->setValue(loops_[size_t(loop)].FrameCount());
    }
}

AviSettings CAviSettingsDialog::Read() const
{
    AviSettings read = settings_;
    read.output = output_->text().trimmed().toStdString();
    read.width = width_->value();
    read.height = height_->value();
    read.loop = std::max(0, loop_->currentIndex());
    read.startFrame = start_->value();
    read.endFrame = end_->value();
    bool ok = false;
    const double fps = frameRate_->text().toDouble(&ok);
    read.frameRate = ok ? fps : 0.0;
    const double speed = speed_->text().toDouble(&ok);
    read.speed = ok ? speed : 1.0;
    return read;
}

bool CAviSettingsDialog::Accept()
{
    AviSettings read = Read();
    const std::string message = ValidateAviSettings(read);
    output_->setText(QString::fromStdString(read.output));
    if (!message.empty()) {
        QMessageBox::information(this, windowTitle(), QString::fromStdString(message));
        return false;
    }
    settings_ = read;
    return true;
}

} // namespace kestrel::capture
