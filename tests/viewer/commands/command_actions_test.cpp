#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include "command_actions.h"
#include "command_registry.h"

using kestrel::commands::CCommandActions;
using kestrel::commands::CCommandRegistry;
using kestrel::commands::CommandHandler;

namespace {
constexpr int kToggle = 33010, kPlain = 33011, kNobody = 33012;

QAction* MakeAction(int id, bool checkable, QObject* parent)
{
    auto* action = new QAction(QString::number(id), parent);
    action->setData(id);
    action->setCheckable(checkable);
    return action;
}
} // namespace

TEST(CommandActions, ActionsShowTheRulesOfNowAndRunThroughTheRegistry)
{
    CCommandRegistry registry;
    QObject owner;
    CCommandActions actions(registry, &owner);
    bool on = false, allowed = true;
    int runs = 0;
    registry.Register(kToggle, &owner, CommandHandler{[&] { on = !on; }, [&] { return allowed; }, [&] { return on; }});
    registry.Register(kPlain, &owner, CommandHandler{[&] { ++runs; }, {}, {}});

    QAction* toggle = MakeAction(kToggle, true, &owner);
    QAction* plain = MakeAction(kPlain, false, &owner);
    QAction* nobody = MakeAction(kNobody, false, &owner);
    for (QAction* a : {toggle, plain, nobody})
        actions.Bind(a);
    EXPECT_TRUE(toggle->isEnabled());
    EXPECT_FALSE(nobody->isEnabled());

    toggle->trigger();
    EXPECT_TRUE(on);
    EXPECT_TRUE(toggle->isChecked());
    // The rule says off, whatever Qt's own flip of the mark did.
    on = false;
    plain->trigger();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(toggle->isChecked()) << "every action follows the pass after any command";

    // Opening a menu refreshes the states before they show.
    QMenu menu;
    menu.addAction(toggle);
    actions.Watch(&menu);
    allowed = false;
    EXPECT_TRUE(toggle->isEnabled());
    emit menu.aboutToShow();
    EXPECT_FALSE(toggle->isEnabled());

    // An action that goes away before the registry is simply forgotten.
    delete plain;
    actions.Refresh();
    EXPECT_FALSE(nobody->isEnabled());
}
