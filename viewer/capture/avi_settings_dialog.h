#pragma once
#include <QDialog>
#include <vector>

#include "avi_settings.h"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace kestrel::capture {

// "AVI Settings": the file, the picture's size, frame rate, sequence, frames and speed.
// OK keeps the dialog open with a message while a field is wrong.
class CAviSettingsDialog : public QDialog {
    Q_OBJECT
public:
    CAviSettingsDialog(const AviSettings& defaults, std::vector<LoopRange> loops, QWidget* parent = nullptr);
    const AviSettings& Settings() const { return settings_; }
    // What OK does; false (and a message shown) when a field is wrong.
    bool Accept();

private:
    void Browse();
    void LoopChosen(int loop);
    AviSettings Read() const;

    std::vector<LoopRange> loops_;
    AviSettings settings_;
    QLineEdit* output_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QLineEdit* frameRate_ = nullptr;
    QComboBox* loop_ = nullptr;
    QSpinBox* start_ = nullptr;
    QSpinBox* end_ = nullptr;
    QLineEdit* speed_ = nullptr;
};

} // namespace kestrel::capture
