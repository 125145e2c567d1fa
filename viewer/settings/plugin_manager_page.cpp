#include "plugin_manager_page.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "plugin_manager.h"

namespace kestrel::settings {

namespace {
const char* KindText(host::PlugInKind kind)
{
    switch (kind) {
    case host::PlugInKind::Import: return "Import";
    case host::PlugInKind::Export: return "Export";
    case host::PlugInKind::Edit: return "Edit";
    default: return "Tool";
    }
}
} // namespace

CPlugInManagerPage::CPlugInManagerPage(CPreferenceStore& store, const host::CPlugInManager& plugIns, QWidget* parent)
    : CSettingsPage(store, parent)
{
    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(QString::asprintf("%d modules loaded. Select a plug-in to view its description:", plugIns.Count()), this);
    layout->addWidget(heading_);

    table_ = new QTableWidget(0, 4, this);
    table_->setHorizontalHeaderLabels({"Plug-In", "Type", "Version", "File"});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setMouseTracking(true); // hover highlight
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    QStringList descriptions;
    for (const auto* list : {&plugIns.Importers(), &plugIns.Exporters(), &plugIns.Editors(), &plugIns.Tools()}) {
        for (const host::PlugInEntry& e : *list) {
            const int row = table_->rowCount();
            table_->insertRow(row);
            table_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(e.name)));
            table_->setItem(row, 1, new QTableWidgetItem(KindText(e.kind)));
            table_->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(e.VersionText())));
            table_->setItem(row, 3, new QTableWidgetItem(QString::fromStdString(e.path)));
            descriptions << QString::fromStdString(e.description);
        }
    }
    table_->resizeColumnsToContents();
    layout->addWidget(table_, 1);

    layout->addWidget(new QLabel("Description:", this));
    description_ = new QLabel(this);
    description_->setWordWrap(true);
    description_->setMinimumHeight(48);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(description_);

    connect(table_, &QTableWidget::currentCellChanged, this, [this, descriptions](int row) {
        description_->setText(row >= 0 && row < descriptions.size() ? descriptions[row] : QString());
    });
}

} // namespace kestrel::settings
