#include "command_actions.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

#include "command_registry.h"

namespace kestrel::commands {

CCommandActions::CCommandActions(CCommandRegistry& registry, QObject* parent) : QObject(parent), registry_(registry)
{
}

void CCommandActions::Bind(QAction* action)
{
    if (!action)
        return;
    actions_.removeAll(nullptr);
    actions_ << action;
    connect(action, &QAction::triggered, this, [this, action] { Trigger(action); });
    const CommandState state = registry_.State(action->data().toInt());
    action->setEnabled(state.enabled);
    if (action->isCheckable())
        action->setChecked(state.checked);
}

void CCommandActions::Watch(QMenu* menu)
{
    if (menu)
        connect(menu, &QMenu::aboutToShow, this, &CCommandActions::Refresh);
}

void CCommandActions::Watch(QToolBar* bar)
{
    if (bar)
        connect(bar, &QToolBar::visibilityChanged, this, [this](bool visible) {
            if (visible)
                Refresh();
        });
}

void CCommandActions::Refresh()
{
    for (const QPointer<QAction>& action : actions_) {
        if (!action)
            continue;
        const CommandState state = registry_.State(action->data().toInt());
        action->setEnabled(state.enabled);
        if (action->isCheckable())
            action->setChecked(state.checked);
    }
}

void CCommandActions::Trigger(QAction* action)
{
    registry_.Run(action->data().toInt());
    // Qt flipped a checkable action's mark already; the pass puts back what the rule says.
    Refresh();
}

} // namespace kestrel::commands
