#pragma once
#include <QDialog>
#include <functional>

#include "preference_blocks.h"

class QListWidget;
class QPushButton;
class QStackedWidget;

namespace kestrel::host {
class CPlugInManager;
}

namespace kestrel::settings {

class CPreferenceStore;
class CColorsPage;
class CObjectSizesPage;
class CPlugInManagerPage;
class COpenGLPage;
class CMiscPage;

// The settings dialog: a list of pages on the left. Edits take effect in the store at once;
// Apply writes them, Cancel returns to the state of the last Apply (or the opening).
class CSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // `applyClearColour` gives the view the background of its current mode (Apply and OK).
    CSettingsDialog(CPreferenceStore& store, const host::CPlugInManager& plugIns,
                    std::function<void()> applyClearColour, QWidget* parent = nullptr);
    ~CSettingsDialog() override;

    QListWidget* PageList() const { return pages_; }
    QPushButton* ApplyButton() const { return apply_; }
    CColorsPage* Colors() const { return colors_; }
    CObjectSizesPage* ObjectSizes() const { return sizes_; }
    CPlugInManagerPage* PlugIns() const { return plugIns_; }
    COpenGLPage* OpenGL() const { return openGL_; }
    CMiscPage* Misc() const { return misc_; }

    void Apply();
    void accept() override;
    void reject() override;

private:
    void Help();
    void SavePosition();

    CPreferenceStore& store_;
    std::function<void()> applyClearColour_;
    prefs::SettingsBlock snapshot_;
    QListWidget* pages_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QPushButton* apply_ = nullptr;
    CColorsPage* colors_ = nullptr;
    CObjectSizesPage* sizes_ = nullptr;
    CPlugInManagerPage* plugIns_ = nullptr;
    COpenGLPage* openGL_ = nullptr;
    CMiscPage* misc_ = nullptr;
};

} // namespace kestrel::settings
