#include "information_page.h"

#include "document_panels.h"
#include "kestrel_doc.h"
#include "platform/file_text.h"

namespace kestrel::panels {

CInformationPage::CInformationPage(view::CKestrelDoc& doc, QWidget* parent) : QListWidget(parent), doc_(doc)
{
    setObjectName("informationPage");
    setSelectionMode(QAbstractItemView::NoSelection);
    Refresh();
}

void CInformationPage::Refresh()
{
    clear();
    for (const std::string& line : InformationFor(doc_.Data()))
        addItem(platform::TextFromFile(line));
}

} // namespace kestrel::panels
