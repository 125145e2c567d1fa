#include "object_sizes_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "preference_store.h"

namespace kestrel::settings {

namespace {
constexpr float kMaxSize = 10.0f;
constexpr float kStep = 0.01f;
} // namespace

float CObjectSizesPage::Clamp(float value)
{
    if (!std::isfinite(value))
        return value > 0 ? kMaxSize : 0.0f;
    return value > kMaxSize ? kMaxSize : (value < 0.0f ? 0.0f : value);
}

CObjectSizesPage::CObjectSizesPage(CPreferenceStore& store, QWidget* parent) : CSettingsPage(store, parent)
{
    auto* layout = new QVBoxLayout(this);
    const struct {
        const char* group;
        Field fields[2];
        const char* labels[2];
    } groups[] = {
        {"Skeleton", {kJointSize1, kJointSize2}, {"Joint Size (Mode 1)", "Joint Size (Mode 2)"}},
        {"Normals", {kNormalBaseSize, kVectorLineLength}, {"Normal Base Size", "Vector Line Length"}},
    };
    for (const auto& g : groups) {
        auto* box = new QGroupBox(g.group, this);
        auto* grid = new QGridLayout(box);
        for (int i = 0; i < 2; ++i) {
            const Field field = g.fields[i];
            auto* edit = new QLineEdit(box);
            edit->setObjectName(QString("size%1").arg(int(field)));
            edits_[field] = edit;
            connect(edit, &QLineEdit::editingFinished, this, [this, field] { Commit(field); });
            auto* up = new QToolButton(box);
            up->setArrowType(Qt::UpArrow);
            up->setAutoRepeat(true);
            connect(up, &QToolButton::clicked, this, [this, field] { Step(field, +1); });
            auto* down = new QToolButton(box);
            down->setArrowType(Qt::DownArrow);
            down->setAutoRepeat(true);
            connect(down, &QToolButton::clicked, this, [this, field] { Step(field, -1); });
            grid->addWidget(new QLabel(g.labels[i], box), i, 0);
            grid->addWidget(edit, i, 1);
            grid->addWidget(up, i, 2);
            grid->addWidget(down, i, 3);
        }
        layout->addWidget(box);
    }
    layout->addStretch(1);
    Reload();
}

float& CObjectSizesPage::Value(Field field)
{
    prefs::SettingsBlock& s = store_.Settings();
    switch (field) {
    case kJointSize1: return s.jointSize1;
    case kJointSize2: return s.jointSize2;
    case kNormalBaseSize: return s.normalBaseSize;
    default: return s.vectorLineLength;
    }
}

void CObjectSizesPage::Show(Field field)
{
    edits_[field]->setText(QString::asprintf("%.2f", double(Value(field))));
}

void CObjectSizesPage::Reload()
{
    for (int f = 0; f < kFieldCount; ++f)
        Show(Field(f));
}

void CObjectSizesPage::Commit(Field field)
{
    bool ok = false;
    float typed = edits_[field]->text().trimmed().toFloat(&ok);
    if (!ok)
        typed = 0.0f; // unreadable text counts as 0, like a C conversion
    const float value = Clamp(typed);
    const bool changed = value != Value(field);
    Value(field) = value;
    Show(field);
    if (changed)
        MarkChanged();
}

void CObjectSizesPage::Step(Field field, int direction)
{
    // The spin position is counted in hundredths, 0 to 1000.
    const int position = std::clamp(int(std::lround(Value(field) / kStep)) + direction, 0, 1000);
    Value(field) = Clamp(position * kStep);
    Show(field);
    MarkChanged();
}

} // namespace kestrel::settings
