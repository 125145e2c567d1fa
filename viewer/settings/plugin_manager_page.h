#pragma once
#include "settings_page.h"

class QLabel;
class QTableWidget;

namespace kestrel::host {
class CPlugInManager;
}

namespace kestrel::settings {

// Lists the loaded plug-ins: name, kind, version and file; the selected one's description below.
class CPlugInManagerPage : public CSettingsPage {
    Q_OBJECT
public:
    CPlugInManagerPage(CPreferenceStore& store, const host::CPlugInManager& plugIns, QWidget* parent = nullptr);
    QTableWidget* Table() const { return table_; }
    QLabel* Heading() const { return heading_; }
    QLabel* Description() const { return description_; }

private:
    QLabel* heading_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* description_ = nullptr;
};

} // namespace kestrel::settings
