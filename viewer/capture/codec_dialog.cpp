#include "codec_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kestrel::capture {
namespace {
constexpr char kCodecKey[] = "Video/Codec";
constexpr char kValueKey[] = "Video/Value";
} // namespace

VideoOptions CCodecDialog::Remembered()
{
    QSettings store("Halvard", "Kestrel");
    VideoOptions options;
    options.codecId = store.value(kCodecKey, QString::fromStdString(options.codecId)).toString().toStdString();
    options.value = store.value(kValueKey, -1).toInt();
    return options;
}

CCodecDialog::CCodecDialog(QWidget* parent) : QDialog(parent), codecs_(AvailableVideoCodecs())
{
    setWindowTitle(QStringLiteral("Video Compression"));
    setObjectName("videoCompression");
    codec_ = new QComboBox;
    codec_->setObjectName("codec");
    for (const VideoCodec& codec : codecs_)
        codec_->addItem(QString::fromStdString(codec.label), QString::fromStdString(codec.id));
    settingLabel_ = new QLabel;
    setting_ = new QSpinBox;
    setting_->setObjectName("codecSetting");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Compressor:"), codec_);
    form->addRow(settingLabel_, setting_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!codecs_.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Remember();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(codec_, &QComboBox::currentIndexChanged, this, &CCodecDialog::CodecChosen);

    const VideoOptions last = Remembered();
    int chosen = 0;
    for (size_t i = 0; i < codecs_.size(); ++i)
        if (codecs_[i].id == last.codecId)
            chosen = int(i);
    codec_->setCurrentIndex(chosen);
    CodecChosen(chosen);
    if (last.value >= 0 && size_t(chosen) < codecs_.size() && codecs_[size_t(chosen)].id == last.codecId)
        setting_->setValue(last.value);
}

void CCodecDialog::CodecChosen(int index)
{
    if (index < 0 || size_t(index) >= codecs_.size())
        return;
    const VideoCodec& codec = codecs_[size_t(index)];
    const bool has = codec.setting != VideoCodec::Setting::None;
    settingLabel_->setText(codec.setting == VideoCodec::Setting::BitRate ? QStringLiteral("Bit rate (kbit/s):")
                                                                          : QStringLiteral("Quality:"));
    settingLabel_->setVisible(has);
    setting_->setVisible(has);
    if (has) {
        setting_->setRange(codec.minimum, codec.maximum);
        setting_->setValue(codec.defaultValue);
    }
}

VideoOptions CCodecDialog::Options() const
{
    VideoOptions options;
    const int index = codec_->currentIndex();
    if (index < 0 || size_t(index) >= codecs_.size())
        return options;
    const VideoCodec& codec = codecs_[size_t(index)];
    options.codecId = codec.id;
    options.value = codec.setting == VideoCodec::Setting::None ? -1 : setting_->value();
    return options;
}

void CCodecDialog::Remember() const
{
    QSettings store("Halvard", "Kestrel");
    const VideoOptions options = Options();
    store.setValue(kCodecKey, QString::fromStdString(options.codecId));
    store.setValue(kValueKey, options.value);
}

} // namespace kestrel::capture
