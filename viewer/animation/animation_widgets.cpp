#include "animation_widgets.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QSlider>

#include "command_ids.h"

namespace kestrel::anim {
namespace {

constexpr int kSequencesWidth = 100;
constexpr int kSequencesMaximumWidth = 240;
constexpr int kSequencesListHeight = 400;
constexpr int kSeekBarWidth = 160;

} // namespace

QComboBox* MakeSequencesCombo(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString("command%1").arg(cmd::kSequences));
    combo->setToolTip("Animation sequences");
    // At least as wide as its texts, so "No Animation" and short sequence names read whole;
    // long names are cut rather than pushing the other bars out of the window.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumWidth(kSequencesWidth);
    combo->setMaximumWidth(kSequencesMaximumWidth);
    combo->view()->setMinimumWidth(kSequencesWidth);
    combo->setMaxVisibleItems(kSequencesListHeight / qMax(1, combo->fontMetrics().height() + 4));
    combo->addItem("No Animation");
    combo->setEnabled(false);
    combo->setMinimumWidth(qMax(kSequencesWidth, combo->sizeHint().width()));
    return combo;
}

QSlider* MakeFramesSeekBar(QWidget* parent)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QString("command%1").arg(cmd::kFramesSlider));
    slider->setToolTip("Animation frames seekbar");
    slider->setStatusTip("Animation Frames");
    slider->setAccessibleName("Frames");
    slider->setMinimumWidth(kSeekBarWidth);
    slider->setRange(0, 0);
    slider->setEnabled(false);
    return slider;
}

} // namespace kestrel::anim
