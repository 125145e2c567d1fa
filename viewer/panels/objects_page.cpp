#include "objects_page.h"

#include <QSignalBlocker>

#include "document_panels.h"
#include "kestrel_doc.h"
#include "mesh_selection.h"
#include "model_mesh_flags.h"
#include "platform/file_text.h"

namespace kestrel::panels {
namespace {
constexpr int kMeshRole = Qt::UserRole + 1;
} // namespace

CObjectsPage::CObjectsPage(view::CKestrelDoc& doc, QWidget* parent) : QTreeWidget(parent), doc_(doc)
{
    setObjectName("objectsPage");
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) { OnCurrentChanged(current); });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { OnItemChanged(item); });
    Refresh();
}

void CObjectsPage::Refresh()
{
    filling_ = true;
    clear();
    meshItems_.clear();
    const ObjectTree tree = ObjectTreeFor(doc_.Data());
    std::vector<QTreeWidgetItem*> items(tree.nodes.size(), nullptr);
    for (size_t i = 0; i < tree.nodes.size(); ++i) {
        const ObjectNode& node = tree.nodes[i];
        QTreeWidgetItem* item = node.parent == kNoParent ? new QTreeWidgetItem(this)
                                                         : new QTreeWidgetItem(items[size_t(node.parent)]);
        item->setText(0, platform::TextFromFile(node.text));
        if (node.mesh != kNoMesh) {
            item->setData(0, kMeshRole, node.mesh);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, node.meshHidden ? Qt::Unchecked : Qt::Checked);
            item->setToolTip(0, tr("Clear the box to hide the mesh"));
        }
        items[i] = item;
    }
    for (int node : tree.meshNodes)
        meshItems_.push_back(items[size_t(node)]);
    // The root and its groups open; the detail lines of each object stay folded.
    expandToDepth(0);
    filling_ = false;
    ShowSelection();
}

int CObjectsPage::MeshOf(const QTreeWidgetItem* item) const
{
    if (!item)
        return kNoMesh;
    const QVariant mesh = item->data(0, kMeshRole);
    return mesh.isValid() ? mesh.toInt() : kNoMesh;
}

void CObjectsPage::ShowSelection()
{
    const std::vector<int>& selection = doc_.Selection();
    if (selection.empty() || selection.front() < 0 || size_t(selection.front()) >= meshItems_.size())
        return;
    const QSignalBlocker quiet(this);
    setCurrentItem(meshItems_[size_t(selection.front())]);
}

void CObjectsPage::OnCurrentChanged(QTreeWidgetItem* current)
{
    const int mesh = MeshOf(current);
    if (filling_ || mesh == kNoMesh)
        return;
    ModelMeshFlags flags(doc_.Data().model);
    if (SelectMeshItem(flags, doc_.Selection(), mesh))
        doc_.Redraw();
}

void CObjectsPage::OnItemChanged(QTreeWidgetItem* item)
{
    const int mesh = MeshOf(item);
    if (filling_ || mesh == kNoMesh)
        return;
    ModelMeshFlags flags(doc_.Data().model);
    const bool wantShown = item->checkState(0) == Qt::Checked;
    const bool hidden = (flags.Get(mesh) & kMeshHidden) != 0;
    if (wantShown != hidden)
        return; // the box already says what the mesh is
    const ToggleOutcome outcome = ToggleMeshItem(flags, doc_.Selection(), mesh);
    if (outcome.focusItem) {
        const QSignalBlocker quiet(this);
        setCurrentItem(item);
    }
    if (outcome.changed)
        doc_.Redraw();
}

} // namespace kestrel::panels
