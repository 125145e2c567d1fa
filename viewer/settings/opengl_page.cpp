#include "opengl_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "preference_store.h"

namespace kestrel::settings {

COpenGLPage::COpenGLPage(CPreferenceStore& store, QWidget* parent) : CSettingsPage(store, parent)
{
    auto* layout = new QVBoxLayout(this);
    antialiasing_ = new QCheckBox("Activate Hardware &Antialiasing", this);
    layout->addWidget(antialiasing_);
    auto* note = new QLabel("Hardware antialiasing needs the GL_ARB_multisample extension of the graphics driver.", this);
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch(1);
    Reload();
    connect(antialiasing_, &QCheckBox::toggled, this, [this](bool on) {
        store_.Settings().antialiasing = on ? 1 : 0;
        MarkChanged();
    });
}

void COpenGLPage::Reload()
{
    const QSignalBlocker quiet(antialiasing_);
    antialiasing_->setChecked(store_.Settings().antialiasing != 0);
}

} // namespace kestrel::settings
