#pragma once
// The "Information" page of the statistics panel: the open file's properties as text lines.

#include <QListWidget>

namespace kestrel::view {
class CKestrelDoc;
}

namespace kestrel::panels {

class CInformationPage : public QListWidget {
    Q_OBJECT
public:
    explicit CInformationPage(view::CKestrelDoc& doc, QWidget* parent = nullptr);
    void Refresh();

private:
    view::CKestrelDoc& doc_;
};

} // namespace kestrel::panels
