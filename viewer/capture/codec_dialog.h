#pragma once
#include <QDialog>
#include <vector>

#include "video_codecs.h"

class QComboBox;
class QLabel;
class QSpinBox;

namespace kestrel::capture {

// "Video Compression": the encoders this system has that an AVI file takes, and the
// quality or bit rate where the encoder has one. The last choice is offered again.
class CCodecDialog : public QDialog {
    Q_OBJECT
public:
    explicit CCodecDialog(QWidget* parent = nullptr);
    VideoOptions Options() const;
    // Remembers the choice for the next recording (done when OK is pressed).
    void Remember() const;
    static VideoOptions Remembered();

private:
    void CodecChosen(int index);

    std::vector<VideoCodec> codecs_;
    QComboBox* codec_ = nullptr;
    QLabel* settingLabel_ = nullptr;
    QSpinBox* setting_ = nullptr;
};

} // namespace kestrel::capture
