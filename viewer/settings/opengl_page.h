#pragma once
#include "settings_page.h"

class QCheckBox;

namespace kestrel::settings {

// Hardware antialiasing on or off.
class COpenGLPage : public CSettingsPage {
    Q_OBJECT
public:
    explicit COpenGLPage(CPreferenceStore& store, QWidget* parent = nullptr);
    QCheckBox* Antialiasing() const { return antialiasing_; }
    void Reload() override;

private:
    QCheckBox* antialiasing_ = nullptr;
};

} // namespace kestrel::settings
