#include "preference_store.h"

#include <QByteArray>
#include <QSettings>
#include <QStringList>
#include <bit>
#include <cstring>

namespace kestrel::settings {

static_assert(std::endian::native == std::endian::little, "the stored records are little-endian");

namespace {

template <typename T>
QByteArray BytesOf(const T& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), int(sizeof(T)));
}

// A stored value is taken only when it is binary and exactly the record's size.
template <typename T>
bool ReadRecord(const QSettings& store, const char* name, T& record)
{
    const QVariant value = store.value(name);
    if (value.typeId() != QMetaType::QByteArray)
        return false;
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() != qsizetype(sizeof(T)))
        return false;
    std::memcpy(static_cast<void*>(&record), bytes.constData(), sizeof(T));
    return true;
}

} // namespace

CPreferenceStore::CPreferenceStore(QString company, QString profile)
    : company_(std::move(company)), profile_(std::move(profile))
{
}

bool CPreferenceStore::ReadStored(QSettings& store)
{
    store.beginGroup(kGroup);
    const QStringList names = store.childKeys(); // in stored order: c01, c02, c03
    bool ok = names.size() >= 3 && names[0] == kVersionValue && names[1] == kStateValue &&
              names[2] == kSettingsValue;
    uint32_t stamp[4] = {};
    ok = ok && ReadRecord(store, kVersionValue, stamp) &&
         std::memcmp(stamp, prefs::kVersionStamp, sizeof(stamp)) == 0;
    // Read into copies so that a half-read set leaves the defaults intact.
    prefs::StateBlock state;
    prefs::SettingsBlock settings;
    ok = ok && ReadRecord(store, kStateValue, state) && ReadRecord(store, kSettingsValue, settings);
    store.endGroup();
    if (ok) {
        state_ = state;
        settings_ = settings;
    }
    return ok;
}

bool CPreferenceStore::Load()
{
    QSettings store(company_, profile_);
    if (ReadStored(store)) {
        dirty_ = false;
        return true;
    }
    ResetToDefaults(true);
    return false;
}

void CPreferenceStore::SaveState()
{
    QSettings store(company_, profile_);
    store.beginGroup(kGroup);
    store.setValue(kStateValue, BytesOf(state_));
    store.endGroup();
}

void CPreferenceStore::SaveAll()
{
    QSettings store(company_, profile_);
    store.beginGroup(kGroup);
    store.setValue(kVersionValue, BytesOf(prefs::kVersionStamp));
    store.setValue(kStateValue, BytesOf(state_));
    store.setValue(kSettingsValue, BytesOf(settings_));
    store.endGroup();
    store.sync();
    dirty_ = false;
}

void CPreferenceStore::ResetToDefaults(bool persist)
{
    state_ = prefs::StateBlock{};
    settings_ = prefs::SettingsBlock{};
    dirty_ = false;
    if (!persist)
        return;
    {
        // Every stored layout, list and customisation of the product goes with a damaged set.
        QSettings store(company_, profile_);
        store.clear();
        store.sync();
    }
    SaveAll();
}

} // namespace kestrel::settings
