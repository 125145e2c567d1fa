#include <QSettings>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

#include "gui_test_env.h"
#include "preference_store.h"

using kestrel::settings::CPreferenceStore;
namespace prefs = kestrel::prefs;

namespace {

QByteArray Stored(const char* name)
{
    QSettings store("Halvard", "Kestrel");
    return store.value(QString(CPreferenceStore::kGroup) + "/" + name).toByteArray();
}

void Store(const char* name, const QVariant& value)
{
    QSettings store("Halvard", "Kestrel");
    store.setValue(QString(CPreferenceStore::kGroup) + "/" + name, value);
}

template <typename T>
T At(const QByteArray& bytes, int offset)
{
    T value{};
    std::memcpy(&value, bytes.constData() + offset, sizeof(T));
    return value;
}

void ExpectRgb(const QByteArray& bytes, int offset, int r, int g, int b)
{
    EXPECT_EQ(uint8_t(bytes[offset]), r) << "offset " << offset;
    EXPECT_EQ(uint8_t(bytes[offset + 1]), g) << "offset " << offset;
    EXPECT_EQ(uint8_t(bytes[offset + 2]), b) << "offset " << offset;
}

class PreferenceStoreTest : public testing::Test {
protected:
    void SetUp() override { kestrel::test::ClearSettings(); }
};

TEST_F(PreferenceStoreTest, FirstRunWritesTheDefaultRecordsByteForByte)
{
    CPreferenceStore store;
    EXPECT_FALSE(store.Load());

    const QByteArray version = Stored(CPreferenceStore::kVersionValue);
    ASSERT_EQ(version.size(), 16);
    EXPECT_EQ(At<uint32_t>(version, 0), 3u);
    EXPECT_EQ(At<uint32_t>(version, 4), 2u);
    EXPECT_EQ(At<uint32_t>(version, 8), 0u);
    EXPECT_EQ(At<uint32_t>(version, 12), 459u);

    const QByteArray state = Stored(CPreferenceStore::kStateValue);
    ASSERT_EQ(state.size(), 2072);
    const int bytes[][2] = {{0, 12}, {1, 1}, {2, 0}, {3, 0}, {4, 3}, {5, 1}, {6, 1}, {7, 1}, {20, 0}, {21, 0}, {22, 1}, {23, 0}};
    for (const auto& [offset, value] : bytes)
        EXPECT_EQ(uint8_t(state[offset]), value) << "state offset " << offset;
    EXPECT_EQ(At<uint32_t>(state, 8), 200u);
    EXPECT_EQ(At<uint32_t>(state, 12), 65u);
    EXPECT_EQ(At<uint32_t>(state, 16), 160u);
    EXPECT_EQ(At<char16_t>(state, 24), u'\0');

    const QByteArray settings = Stored(CPreferenceStore::kSettingsValue);
    ASSERT_EQ(settings.size(), 2152);
    ExpectRgb(settings, 0, 240, 240, 0);
    ExpectRgb(settings, 9, 0, 255, 0);
    ExpectRgb(settings, 42, 127, 127, 255);
    ExpectRgb(settings, 45, 255, 255, 255);
    ExpectRgb(settings, 48, 192, 192, 192);
    ExpectRgb(settings, 63, 127, 127, 127);
    ExpectRgb(settings, 66, 130, 154, 198);
    ExpectRgb(settings, 69, 34, 58, 101);
    ExpectRgb(settings, 78, 0, 0, 255);
    EXPECT_FLOAT_EQ(At<float>(settings, 84), 2.0f);
    EXPECT_FLOAT_EQ(At<float>(settings, 88), 2.0f);
    EXPECT_FLOAT_EQ(At<float>(settings, 92), 2.0f);
    EXPECT_FLOAT_EQ(At<float>(settings, 96), 0.05f);
    EXPECT_EQ(At<char16_t>(settings, 100), u'\0');
    EXPECT_EQ(At<uint32_t>(settings, 2148), 1u);

    // The next start reads what the first wrote.
    CPreferenceStore again;
    EXPECT_TRUE(again.Load());
}

TEST_F(PreferenceStoreTest, StoredValuesComeBackAndSaveStateLeavesTheSettingsAlone)
{
    {
        CPreferenceStore store;
        store.Load();
        store.State().meshMode = 6;
        std::memcpy(store.State().currentFolder, u"/models", sizeof(u"/models"));
        store.Settings().colours[prefs::kBackground3D] = {10, 20, 30};
        store.Settings().jointSize2 = 7.5f;
        store.SaveAll();
        EXPECT_FALSE(store.IsDirty());
        // Later edits: only the state block is written on the way out.
        store.State().gridMode = 1;
        store.Settings().jointSize1 = 9.0f;
        store.SaveState();
    }
    CPreferenceStore store;
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(store.State().meshMode, 6);
    EXPECT_EQ(store.State().gridMode, 1);
    EXPECT_EQ(std::u16string(store.State().currentFolder), u"/models");
    EXPECT_EQ(store.Settings().colours[prefs::kBackground3D].g, 20);
    EXPECT_FLOAT_EQ(store.Settings().jointSize2, 7.5f);
    EXPECT_FLOAT_EQ(store.Settings().jointSize1, 2.0f);
}

// Each damage resets every preference and removes the program's other settings too.
TEST_F(PreferenceStoreTest, AForeignOrDamagedSetIsReplacedByDefaults)
{
    const uint32_t otherVersion[4] = {3, 2, 0, 458};
    const std::function<void()> damages[] = {
        [&] { Store(CPreferenceStore::kVersionValue, QByteArray(reinterpret_cast<const char*>(otherVersion), 16)); },
        [] { Store(CPreferenceStore::kStateValue, Stored(CPreferenceStore::kStateValue).left(2000)); },
        [] { Store(CPreferenceStore::kSettingsValue, Stored(CPreferenceStore::kSettingsValue) + QByteArray(4, 'x')); },
        [] { Store(CPreferenceStore::kSettingsValue, QString("not binary")); },
        [] { QSettings("Halvard", "Kestrel").remove(QString(CPreferenceStore::kGroup) + "/" + CPreferenceStore::kStateValue); },
        // A value sorted in front of the version stamp moves every record out of its place.
        [] { Store("a00 extra", QByteArray(16, '\0')); },
    };
    int index = 0;
    for (const auto& damage : damages) {
        SCOPED_TRACE(index++);
        {
            CPreferenceStore store;
            store.Load();
            store.State().meshMode = 4;
            store.Settings().colours[prefs::kAxisX] = {1, 2, 3};
            store.SaveAll();
        }
        QSettings("Halvard", "Kestrel").setValue("Kestrel/BarPos-Normal/State", QByteArray("layout"));
        damage();

        CPreferenceStore store;
        EXPECT_FALSE(store.Load());
        EXPECT_EQ(store.State().meshMode, 12);
        EXPECT_EQ(store.Settings().colours[prefs::kAxisX].r, 255);
        QSettings after("Halvard", "Kestrel");
        EXPECT_FALSE(after.contains("Kestrel/BarPos-Normal/State"));
        EXPECT_FALSE(after.contains(QString(CPreferenceStore::kGroup) + "/a00 extra"));
        EXPECT_EQ(Stored(CPreferenceStore::kStateValue).size(), 2072);
        EXPECT_TRUE(CPreferenceStore().Load());
    }
}

} // namespace
