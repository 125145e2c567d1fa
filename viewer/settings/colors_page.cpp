#include "colors_page.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "preference_store.h"

namespace kestrel::settings {

namespace {

using prefs::Colour;

struct ColourButton {
    Colour colour;
    const char* label;
};
struct ColourGroup {
    const char* title;
    std::initializer_list<ColourButton> buttons;
};

// The axis colours have no button.
const ColourGroup kGroups[] = {
    {"Model", {{prefs::kBoundingBoxes, "Bounding Boxes"}, {prefs::kVertices, "Vertices"}, {prefs::kWireframe, "Wireframe"}}},
    {"Skeleton",
     {{prefs::kJoints1, "Joints (Mode 1)"}, {prefs::kBones1, "Bones (Mode 1)"}, {prefs::kRoot1, "Root (Mode 1)"},
      {prefs::kJoints2, "Joints (Mode 2)"}, {prefs::kBones2, "Bones (Mode 2)"}, {prefs::kRoot2, "Root (Mode 2)"},
      {prefs::kBones3, "Bones (Mode 3)"}, {prefs::kRoot3, "Root (Mode 3)"}, {prefs::kBones4, "Bones (Mode 4)"}}},
    {"Scene Bounding Box",
     {{prefs::kBoxCorners, "Corners"}, {prefs::kBoxWireframe, "Wireframe"}, {prefs::kBoxTransparent, "Transparent"}}},
    {"Grid",
     {{prefs::kGridWireframe, "Wireframe"}, {prefs::kGridSolidDark, "Solid - Dark Cells"},
      {prefs::kGridSolidLight, "Solid - Light Cells"}, {prefs::kGridTransparentDark, "Transparent - Dark Cells"},
      {prefs::kGridTransparentLight, "Transparent - Light Cells"}}},
    {"Misc",
     {{prefs::kNormalBase, "Normal Vector Base"}, {prefs::kNormalLine, "Normal Vector Line"},
      {prefs::kBackground3D, "3D Scene Background"}, {prefs::kBackground2D, "2D Scene Background"}}},
};

} // namespace

CColorsPage::CColorsPage(CPreferenceStore& store, QWidget* parent) : CSettingsPage(store, parent)
{
    auto* columns = new QGridLayout(this);
    int index = 0;
    for (const ColourGroup& group : kGroups) {
        auto* box = new QGroupBox(group.title, this);
        auto* grid = new QGridLayout(box);
        int row = 0;
        for (const ColourButton& b : group.buttons) {
            auto* button = new QPushButton(box);
            button->setFixedSize(40, 20);
            button->setToolTip(b.label);
            connect(button, &QPushButton::clicked, this, [this, c = b.colour] { Pick(c); });
            grid->addWidget(new QLabel(b.label, box), row, 0);
            grid->addWidget(button, row, 1);
            buttons_[b.colour] = button;
            ++row;
        }
        grid->setRowStretch(row, 1);
        // Row, column and row span: the tall skeleton group gets a column of its own.
        static const int kPlace[5][3] = {{0, 0, 1}, {0, 1, 2}, {1, 0, 1}, {0, 2, 1}, {1, 2, 1}};
        columns->addWidget(box, kPlace[index][0], kPlace[index][1], kPlace[index][2], 1);
        ++index;
    }
    Reload();
}

QPushButton* CColorsPage::Button(int colour) const
{
    const auto it = buttons_.find(colour);
    return it == buttons_.end() ? nullptr : it->second;
}

void CColorsPage::Paint(int colour)
{
    QPushButton* button = Button(colour);
    if (!button)
        return;
    const prefs::Rgb& rgb = store_.Settings().colours[colour];
    QPixmap swatch(28, 12);
    swatch.fill(QColor(rgb.r, rgb.g, rgb.b));
    button->setIcon(swatch);
    button->setIconSize(swatch.size());
}

void CColorsPage::Reload()
{
    for (const auto& [colour, button] : buttons_)
        Paint(colour);
}

void CColorsPage::Pick(int colour)
{
    const prefs::Rgb& rgb = store_.Settings().colours[colour];
    const QColor chosen = QColorDialog::getColor(QColor(rgb.r, rgb.g, rgb.b), this, Button(colour)->toolTip());
    if (chosen.isValid())
        SetColour(colour, chosen);
}

void CColorsPage::SetColour(int colour, const QColor& value)
{
    if (colour < 0 || colour >= prefs::kColourCount)
        return;
    store_.Settings().colours[colour] = {uint8_t(value.red()), uint8_t(value.green()), uint8_t(value.blue())};
    Paint(colour);
    MarkChanged();
}

} // namespace kestrel::settings
