#pragma once
// The registry's commands on the window's actions: triggering an action runs its command,
// and one pass sets every action's enabled and checked state from the registry. The pass
// runs after every command, when a menu opens or a toolbar shows, and when a feature says
// the document changed.

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QToolBar;

namespace kestrel::commands {

class CCommandRegistry;

class CCommandActions : public QObject {
    Q_OBJECT
public:
    CCommandActions(CCommandRegistry& registry, QObject* parent);

    // The action's command id is its data(); the action may go away before this object.
    void Bind(QAction* action);
    void Watch(QMenu* menu);
    void Watch(QToolBar* bar);

public slots:
    void Refresh();

private:
    void Trigger(QAction* action);

    CCommandRegistry& registry_;
    QList<QPointer<QAction>> actions_;
};

} // namespace kestrel::commands
