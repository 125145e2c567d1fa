#include "misc_page.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "preference_store.h"

namespace kestrel::settings {

QString FolderText(const char16_t (&field)[1024])
{
    const auto end = std::find(std::begin(field), std::end(field), u'\0');
    return QString::fromUtf16(field, end - std::begin(field));
}

void StoreFolderText(const QString& text, char16_t (&field)[1024])
{
    const qsizetype n = std::min<qsizetype>(text.size(), 1023);
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), n, field);
}

CMiscPage::CMiscPage(CPreferenceStore& store, QWidget* parent) : CSettingsPage(store, parent)
{
    auto* layout = new QGridLayout(this);
    auto* label = new QLabel("Select the default &screenshot directory:", this);
    folder_ = new QLineEdit(this);
    folder_->setMaxLength(1023);
    label->setBuddy(folder_);
    auto* browse = new QPushButton("...", this);
    browse->setToolTip("Browse For Screenshot Folder");
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(folder_, 1, 0);
    layout->addWidget(browse, 1, 1);
    layout->setRowStretch(2, 1);
    Reload();
    connect(folder_, &QLineEdit::textEdited, this, [this](const QString& text) {
        StoreFolderText(text, store_.Settings().screenshotFolder);
        MarkChanged();
    });
    connect(browse, &QPushButton::clicked, this, &CMiscPage::Browse);
}

void CMiscPage::Reload()
{
    folder_->setText(FolderText(store_.Settings().screenshotFolder));
}

void CMiscPage::SetFolder(const QString& folder)
{
    folder_->setText(folder);
    StoreFolderText(folder, store_.Settings().screenshotFolder);
    MarkChanged();
}

void CMiscPage::Browse()
{
    QFileDialog dialog(this, "Browse For Screenshot Folder", folder_->text());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::LookIn, "Select the default screenshot directory.");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        SetFolder(dialog.selectedFiles().first());
}

} // namespace kestrel::settings
