#include "settings_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "colors_page.h"
#include "misc_page.h"
#include "object_sizes_page.h"
#include "opengl_page.h"
#include "plugin_manager_page.h"
#include "preference_store.h"

namespace kestrel::settings {

namespace {
constexpr const char* kPositionSection = "Resizable Dialog Positions";
constexpr const char* kPositionKey = "CSettingsDialogPosition";
} // namespace

CSettingsDialog::CSettingsDialog(CPreferenceStore& store, const host::CPlugInManager& plugIns,
                                 std::function<void()> applyClearColour, QWidget* parent)
    : QDialog(parent), store_(store), applyClearColour_(std::move(applyClearColour)), snapshot_(store.Settings())
{
    setWindowTitle("Settings");
    setSizeGripEnabled(true);

    pages_ = new QListWidget(this);
    stack_ = new QStackedWidget(this);
    colors_ = new CColorsPage(store, this);
    sizes_ = new CObjectSizesPage(store, this);
    plugIns_ = new CPlugInManagerPage(store, plugIns, this);
    openGL_ = new COpenGLPage(store, this);
    misc_ = new CMiscPage(store, this);
    const std::pair<const char*, CSettingsPage*> pages[] = {
        {"Colors", colors_}, {"Object Sizes", sizes_}, {"Plug-In Manager", plugIns_}, {"OpenGL", openGL_}, {"Miscellaneous", misc_}};
    for (const auto& [title, page] : pages) {
        pages_->addItem(title);
        stack_->addWidget(page);
        connect(page, &CSettingsPage::Changed, this, [this] { apply_->setEnabled(true); });
    }
    connect(pages_, &QListWidget::currentRowChanged, stack_, &QStackedWidget::setCurrentIndex);
    pages_->setFixedWidth(pages_->sizeHintForColumn(0) + 2 * pages_->frameWidth() + 12);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply | QDialogButtonBox::Help, this);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    apply_->setEnabled(store.IsDirty());
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsDialog::reject);
    connect(apply_, &QPushButton::clicked, this, &CSettingsDialog::Apply);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CSettingsDialog::Help);

    auto* body = new QHBoxLayout;
    body->addWidget(pages_);
    body->addWidget(stack_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    pages_->setCurrentRow(0);

    resize(640, 420);
    const QByteArray position = QSettings(store.Company(), store.Profile())
                                    .value(QString(kPositionSection) + "/" + kPositionKey)
                                    .toByteArray();
    if (!position.isEmpty())
        restoreGeometry(position);
}

CSettingsDialog::~CSettingsDialog() = default;

void CSettingsDialog::SavePosition()
{
    QSettings(store_.Company(), store_.Profile()).setValue(QString(kPositionSection) + "/" + kPositionKey, saveGeometry());
}

void CSettingsDialog::Apply()
{
    if (applyClearColour_)
        applyClearColour_();
    store_.SaveAll();
    snapshot_ = store_.Settings();
    apply_->setEnabled(false);
}

void CSettingsDialog::accept()
{
    // OK keeps the edits for this run; only Apply writes them.
    if (applyClearColour_)
        applyClearColour_();
    SavePosition();
    QDialog::accept();
}

void CSettingsDialog::reject()
{
    if (store_.IsDirty()) {
        store_.Settings() = snapshot_;
        store_.SetDirty(false);
        for (CSettingsPage* page : {static_cast<CSettingsPage*>(colors_), static_cast<CSettingsPage*>(sizes_),
                                    static_cast<CSettingsPage*>(openGL_), static_cast<CSettingsPage*>(misc_)})
            page->Reload();
    }
    SavePosition();
    QDialog::reject();
}

void CSettingsDialog::Help()
{
    QMessageBox::information(this, windowTitle(), "Help!");
}

} // namespace kestrel::settings
