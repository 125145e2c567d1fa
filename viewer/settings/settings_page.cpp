#include "settings_page.h"

#include "preference_store.h"

namespace kestrel::settings {

void CSettingsPage::MarkChanged()
{
    store_.SetDirty(true);
    emit Changed();
}

} // namespace kestrel::settings
