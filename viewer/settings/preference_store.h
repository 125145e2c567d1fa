#pragma once
#include <QString>

#include "preference_blocks.h"

class QSettings;

namespace kestrel::settings {

// The viewer's preferences: the version stamp, the state block and the settings block, kept
// byte for byte as three binary values of the user's settings under
// "Settings/RegCfgOptions" of the company and profile.
class CPreferenceStore {
public:
    static constexpr const char* kGroup = "Settings/RegCfgOptions";
    static constexpr const char* kVersionValue = "c01 version";
    static constexpr const char* kStateValue = "c02 state";
    static constexpr const char* kSettingsValue = "c03 settings";

    explicit CPreferenceStore(QString company = "Halvard", QString profile = "Kestrel");

    // Reads the three records. A missing, foreign or damaged set (names, order, stamp or
    // sizes differ) is replaced by the defaults, persisted; returns false in that case.
    bool Load();
    // Writes the state block only.
    void SaveState();
    // Writes the three records and clears the dirty flag.
    void SaveAll();
    // Fills every record with its defaults; with `persist` the product's whole settings tree
    // is wiped and the defaults are written.
    void ResetToDefaults(bool persist);

    prefs::StateBlock& State() { return state_; }
    const prefs::StateBlock& State() const { return state_; }
    prefs::SettingsBlock& Settings() { return settings_; }
    const prefs::SettingsBlock& Settings() const { return settings_; }

    // Settings changed since the last save or restore.
    bool IsDirty() const { return dirty_; }
    void SetDirty(bool dirty) { dirty_ = dirty; }

    const QString& Company() const { return company_; }
    const QString& Profile() const { return profile_; }

private:
    bool ReadStored(QSettings& store);

    QString company_, profile_;
    prefs::StateBlock state_;
    prefs::SettingsBlock settings_;
    bool dirty_ = false;
};

} // namespace kestrel::settings
