#pragma once
// The "Objects" page of the statistics panel: the scene's meshes, joints and materials. A
// mesh item's check box shows and hides the mesh; choosing the item selects it.

#include <QTreeWidget>
#include <vector>

namespace kestrel::view {
class CKestrelDoc;
}

namespace kestrel::panels {

class CObjectsPage : public QTreeWidget {
    Q_OBJECT
public:
    explicit CObjectsPage(view::CKestrelDoc& doc, QWidget* parent = nullptr);

    // Rebuilds the tree from the document (after every load and plug-in run).
    void Refresh();
    // Follows a selection made in the view: the first selected mesh's item becomes current.
    void ShowSelection();

private:
    void OnCurrentChanged(QTreeWidgetItem* current);
    void OnItemChanged(QTreeWidgetItem* item);
    int MeshOf(const QTreeWidgetItem* item) const;

    view::CKestrelDoc& doc_;
    std::vector<QTreeWidgetItem*> meshItems_; // in mesh order
    bool filling_ = false;
};

} // namespace kestrel::panels
