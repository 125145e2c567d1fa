#pragma once
#include "settings_page.h"

class QLineEdit;

namespace kestrel::settings {

// The four object sizes: an edit field with spin buttons each, 0.00 to 10.00 in steps of 0.01.
class CObjectSizesPage : public CSettingsPage {
    Q_OBJECT
public:
    enum Field { kJointSize1, kJointSize2, kNormalBaseSize, kVectorLineLength, kFieldCount };

    explicit CObjectSizesPage(CPreferenceStore& store, QWidget* parent = nullptr);
    QLineEdit* Edit(Field field) const { return edits_[field]; }
    // Reads the typed text of a field, clamps it and writes it back as "%.2f".
    void Commit(Field field);
    // One spin step up (+1) or down (-1).
    void Step(Field field, int direction);
    void Reload() override;

    static float Clamp(float value);

private:
    float& Value(Field field);
    void Show(Field field);
    QLineEdit* edits_[kFieldCount] = {};
};

} // namespace kestrel::settings
