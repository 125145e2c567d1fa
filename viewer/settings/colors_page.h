#pragma once
#include <QColor>
#include <map>

#include "settings_page.h"

class QPushButton;

namespace kestrel::settings {

// One colour button per colour of the settings block, in the groups the user knows.
class CColorsPage : public CSettingsPage {
    Q_OBJECT
public:
    explicit CColorsPage(CPreferenceStore& store, QWidget* parent = nullptr);
    // What a pick in the colour chooser does.
    void SetColour(int colour, const QColor& value);
    QPushButton* Button(int colour) const;
    void Reload() override;

private:
    void Pick(int colour);
    void Paint(int colour);
    std::map<int, QPushButton*> buttons_;
};

} // namespace kestrel::settings
