#pragma once
#include <QWidget>

namespace kestrel::settings {

class CPreferenceStore;

// A page of the settings dialog: edits the store in place and tells the dialog about it.
class CSettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit CSettingsPage(CPreferenceStore& store, QWidget* parent = nullptr) : QWidget(parent), store_(store) {}
    // Shows the store's current values again (after Cancel restored a snapshot).
    virtual void Reload() {}

signals:
    void Changed();

protected:
    // Every edit goes through here: the store is dirty and Apply becomes available.
    void MarkChanged();
    CPreferenceStore& store_;
};

} // namespace kestrel::settings
