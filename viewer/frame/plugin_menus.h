#pragma once
#include <QList>

class QAction;
class QMenu;

namespace kestrel::host {
class CPlugInManager;
}

namespace kestrel::frame {

// The popups "3D &Export" (File menu, position 5), "3D &Edit" and "Other &Tools" (Tools menu,
// positions 1 and 2): one command per exporter, editor and tool, or one "(empty)" item.
class CPlugInMenus {
public:
    // Removes earlier plug-in popups, then inserts the new ones; each command's id is its
    // action's data(), for the frame to bind.
    void Build(QMenu& fileMenu, QMenu& toolsMenu, const host::CPlugInManager& plugIns);
    void Remove();

    QMenu* Exporters() const { return popups_[0]; }
    QMenu* Editors() const { return popups_[1]; }
    QMenu* Tools() const { return popups_[2]; }
    // The plug-in commands (without the "(empty)" items).
    const QList<QAction*>& Commands() const { return commands_; }

private:
    QMenu* popups_[3] = {};
    QList<QAction*> commands_;
};

} // namespace kestrel::frame
