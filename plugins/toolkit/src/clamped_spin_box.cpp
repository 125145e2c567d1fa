#include "toolkit/clamped_spin_box.h"

#include <algorithm>

namespace kestrel::toolkit {

CClampedSpinBox::CClampedSpinBox(QWidget* parent) : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
}

QValidator::State CClampedSpinBox::validate(QString& text, int& pos) const
{
    const QValidator::State state = QSpinBox::validate(text, pos);
    if (state != QValidator::Invalid)
        return state;
    bool ok = false;
    text.trimmed().toInt(&ok);
    return ok ? QValidator::Intermediate : QValidator::Invalid;
}

void CClampedSpinBox::fixup(QString& text) const
{
    bool ok = false;
    const int typed = text.trimmed().toInt(&ok);
    if (ok)
        text = textFromValue(std::clamp(typed, minimum(), maximum()));
    else
        QSpinBox::fixup(text);
}

CClampedDoubleSpinBox::CClampedDoubleSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
    setLocale(QLocale::c());
}

void CClampedDoubleSpinBox::stepBy(int steps)
{
    if (stepsOutside_) {
        emit stepped(steps);
        return;
    }
    QDoubleSpinBox::stepBy(steps);
}

QValidator::State CClampedDoubleSpinBox::validate(QString& text, int& pos) const
{
    const QValidator::State state = QDoubleSpinBox::validate(text, pos);
    if (state != QValidator::Invalid)
        return state;
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok ? QValidator::Intermediate : QValidator::Invalid;
}

void CClampedDoubleSpinBox::fixup(QString& text) const
{
    bool ok = false;
    const double typed = text.trimmed().toDouble(&ok);
    if (ok)
        text = textFromValue(std::clamp(typed, minimum(), maximum()));
    else
        QDoubleSpinBox::fixup(text);
}

} // namespace kestrel::toolkit
