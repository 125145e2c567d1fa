#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "colors_page.h"
#include "gui_test_env.h"
#include "object_sizes_page.h"
#include "plugin_manager.h"
#include "plugin_manager_page.h"
#include "preference_store.h"
#include "settings_dialog.h"

using kestrel::settings::CObjectSizesPage;
using kestrel::settings::CPreferenceStore;
using kestrel::settings::CSettingsDialog;
namespace prefs = kestrel::prefs;

namespace {

class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        kestrel::test::ClearSettings();
        store.Load();
    }
    std::unique_ptr<CSettingsDialog> Open()
    {
        return std::make_unique<CSettingsDialog>(store, plugIns, [this] { ++clearColourCalls; });
    }
    static QColor Stored3DBackground()
    {
        CPreferenceStore fresh;
        fresh.Load();
        const prefs::Rgb c = fresh.Settings().colours[prefs::kBackground3D];
        return QColor(c.r, c.g, c.b);
    }
    QColor Background() const
    {
        const prefs::Rgb c = store.Settings().colours[prefs::kBackground3D];
        return QColor(c.r, c.g, c.b);
    }

    CPreferenceStore store;
    kestrel::host::CPlugInManager plugIns;
    int clearColourCalls = 0;
};

TEST_F(SettingsDialogTest, ListsTheFivePagesInOrder)
{
    auto dialog = Open();
    QStringList titles;
    for (int i = 0; i < dialog->PageList()->count(); ++i)
        titles << dialog->PageList()->item(i)->text();
    EXPECT_EQ(titles, QStringList({"Colors", "Object Sizes", "Plug-In Manager", "OpenGL", "Miscellaneous"}));
    EXPECT_FALSE(dialog->ApplyButton()->isEnabled());
    EXPECT_EQ(dialog->PlugIns()->Heading()->text(), "0 modules loaded. Select a plug-in to view its description:");
}

TEST_F(SettingsDialogTest, CancelRestoresAChangedColour)
{
    auto dialog = Open();
    dialog->Colors()->SetColour(prefs::kBackground3D, QColor(200, 10, 20));
    EXPECT_EQ(Background(), QColor(200, 10, 20)); // in effect at once
    EXPECT_TRUE(store.IsDirty());
    EXPECT_TRUE(dialog->ApplyButton()->isEnabled());
    dialog->reject();
    EXPECT_EQ(Background(), QColor(192, 192, 192));
    EXPECT_FALSE(store.IsDirty());
    EXPECT_EQ(clearColourCalls, 0);
}

TEST_F(SettingsDialogTest, ApplyPersistsAndCancelAfterApplyKeepsTheAppliedColour)
{
    auto dialog = Open();
    dialog->Colors()->SetColour(prefs::kBackground3D, QColor(1, 2, 3));
    dialog->Apply();
    EXPECT_EQ(clearColourCalls, 1);
    EXPECT_FALSE(dialog->ApplyButton()->isEnabled());
    EXPECT_EQ(Stored3DBackground(), QColor(1, 2, 3));

    dialog->Colors()->SetColour(prefs::kBackground3D, QColor(4, 5, 6));
    dialog->reject();
    EXPECT_EQ(Background(), QColor(1, 2, 3));
}

TEST_F(SettingsDialogTest, OkKeepsTheColourForThisRunWithoutWritingIt)
{
    auto dialog = Open();
    dialog->Colors()->SetColour(prefs::kBackground3D, QColor(9, 9, 9));
    dialog->accept();
    EXPECT_EQ(clearColourCalls, 1);
    EXPECT_EQ(Background(), QColor(9, 9, 9));
    EXPECT_EQ(Stored3DBackground(), QColor(192, 192, 192));
    // Still unsaved: the next dialog offers Apply straight away.
    EXPECT_TRUE(Open()->ApplyButton()->isEnabled());
}

TEST_F(SettingsDialogTest, ObjectSizesAreClampedAndShownWithTwoDecimals)
{
    auto dialog = Open();
    CObjectSizesPage* page = dialog->ObjectSizes();
    EXPECT_EQ(page->Edit(CObjectSizesPage::kNormalBaseSize)->text(), "0.05");

    const struct {
        const char* typed;
        const char* shown;
        float stored;
    } cases[] = {{"25", "10.00", 10.0f}, {"-3", "0.00", 0.0f}, {"1.234", "1.23", 1.234f}, {"abc", "0.00", 0.0f}, {"inf", "10.00", 10.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        page->Edit(CObjectSizesPage::kJointSize1)->setText(c.typed);
        page->Commit(CObjectSizesPage::kJointSize1);
        EXPECT_EQ(page->Edit(CObjectSizesPage::kJointSize1)->text(), c.shown);
        EXPECT_FLOAT_EQ(store.Settings().jointSize1, c.stored);
    }

    // Spin steps of 0.01 within 0 to 10.
    page->Edit(CObjectSizesPage::kVectorLineLength)->setText("9.99");
    page->Commit(CObjectSizesPage::kVectorLineLength);
    page->Step(CObjectSizesPage::kVectorLineLength, +1);
    page->Step(CObjectSizesPage::kVectorLineLength, +1);
    EXPECT_EQ(page->Edit(CObjectSizesPage::kVectorLineLength)->text(), "10.00");
    page->Step(CObjectSizesPage::kNormalBaseSize, -1);
    EXPECT_EQ(page->Edit(CObjectSizesPage::kNormalBaseSize)->text(), "0.04");
    EXPECT_TRUE(dialog->ApplyButton()->isEnabled());
}

TEST_F(SettingsDialogTest, PlugInPageShowsEveryPlugInOfTheBuildTree)
{
    ASSERT_GT(plugIns.Scan(KESTREL_PLUGIN_FOLDER), 0);
    auto dialog = Open();
    QTableWidget* table = dialog->PlugIns()->Table();
    ASSERT_EQ(table->rowCount(), plugIns.Count());
    EXPECT_EQ(dialog->PlugIns()->Heading()->text(),
              QString("%1 modules loaded. Select a plug-in to view its description:").arg(plugIns.Count()));
    // Importers first, then exporters, editors and tools.
    const int importers = int(plugIns.Importers().size());
    EXPECT_EQ(table->item(0, 1)->text(), "Import");
    EXPECT_EQ(table->item(importers, 1)->text(), plugIns.Exporters().empty() ? "Edit" : "Export");
    EXPECT_EQ(table->item(table->rowCount() - 1, 1)->text(), plugIns.Tools().empty() ? "Edit" : "Tool");
    EXPECT_EQ(table->item(0, 3)->text(), QString::fromStdString(plugIns.Importers()[0].path));
    EXPECT_EQ(table->item(0, 2)->text(), QString::fromStdString(plugIns.Importers()[0].VersionText()));

    table->setCurrentCell(importers, 0);
    EXPECT_EQ(dialog->PlugIns()->Description()->text(), QString::fromStdString(plugIns.Exporters()[0].description));
}

} // namespace
