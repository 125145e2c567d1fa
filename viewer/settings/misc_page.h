#pragma once
#include "settings_page.h"

class QLineEdit;

namespace kestrel::settings {

// The default screenshot folder.
class CMiscPage : public CSettingsPage {
    Q_OBJECT
public:
    explicit CMiscPage(CPreferenceStore& store, QWidget* parent = nullptr);
    QLineEdit* Folder() const { return folder_; }
    // Stores a folder (what a choice in the folder browser does).
    void SetFolder(const QString& folder);
    void Reload() override;

private:
    void Browse();
    QLineEdit* folder_ = nullptr;
};

// The stored folder as text, and a text cut to fit the 1024-unit field with its terminator.
QString FolderText(const char16_t (&field)[1024]);
void StoreFolderText(const QString& text, char16_t (&field)[1024]);

} // namespace kestrel::settings
