#pragma once
// The animation feature's widgets for the frame's bars: the sequences combo and the frames
// seek bar, empty and disabled until a model with loops is open.

class QComboBox;
class QSlider;
class QWidget;

namespace kestrel::anim {

QComboBox* MakeSequencesCombo(QWidget* parent);
QSlider* MakeFramesSeekBar(QWidget* parent);

} // namespace kestrel::anim
