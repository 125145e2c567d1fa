#include "plugin_menus.h"

#include <QAction>
#include <QMenu>

#include "command_ids.h"
#include "plugin_manager.h"

namespace kestrel::frame {

namespace {

void InsertAt(QMenu& parent, int position, QMenu* popup)
{
    const QList<QAction*> items = parent.actions();
    parent.insertMenu(position < items.size() ? items[position] : nullptr, popup);
}

} // namespace

void CPlugInMenus::Build(QMenu& fileMenu, QMenu& toolsMenu, const host::CPlugInManager& plugIns)
{
    Remove();
    const struct {
        const char* title;
        const std::vector<host::PlugInEntry>* entries;
        int emptyId;
        const char* emptyTip;
        QMenu* parent;
        int position;
    } popups[3] = {
        {"3D &Export", &plugIns.Exporters(), cmd::kNoExporters, "No exporters available", &fileMenu, 5},
        {"3D &Edit", &plugIns.Editors(), cmd::kNoEditors, "No editors available", &toolsMenu, 1},
        {"Other &Tools", &plugIns.Tools(), cmd::kNoTools, "No tools available", &toolsMenu, 2},
    };
    for (int i = 0; i < 3; ++i) {
        auto* popup = new QMenu(popups[i].title, popups[i].parent);
        popup->setToolTipsVisible(true);
        for (const host::PlugInEntry& e : *popups[i].entries) {
            const QString name = QString::fromStdString(e.name);
            QAction* action = popup->addAction(name);
            action->setData(e.commandId);
            action->setToolTip(name);
            action->setStatusTip(name);
            commands_ << action;
        }
        if (popups[i].entries->empty()) {
            QAction* empty = popup->addAction("(empty)");
            empty->setData(popups[i].emptyId);
            empty->setStatusTip(popups[i].emptyTip);
            empty->setEnabled(false);
        }
        InsertAt(*popups[i].parent, popups[i].position, popup);
        popups_[i] = popup;
    }
}

void CPlugInMenus::Remove()
{
    for (QMenu*& popup : popups_) {
        delete popup; // removes its entry from the parent menu and its actions
        popup = nullptr;
    }
    commands_.clear();
}

} // namespace kestrel::frame
