#pragma once
// Spin fields that take any typed number and rewrite it into their range when the
// field is left, instead of refusing the keystroke. The double form can hand its
// arrow steps to the dialog, which applies them itself (linked fields).

#include <QDoubleSpinBox>
#include <QSpinBox>

namespace kestrel::toolkit {

class CClampedSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit CClampedSpinBox(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
};

class CClampedDoubleSpinBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit CClampedDoubleSpinBox(QWidget* parent = nullptr);

    // When set, arrow steps only emit `stepped`; the owner changes the value.
    void SetStepsHandledOutside(bool outside) { stepsOutside_ = outside; }
    void stepBy(int steps) override;

signals:
    void stepped(int steps);

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;

private:
    bool stepsOutside_ = false;
};

} // namespace kestrel::toolkit
