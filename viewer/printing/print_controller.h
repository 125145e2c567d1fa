#pragma once
#include <QObject>
#include <QPrinter>
#include <functional>
#include <memory>

#include "print_layout.h"

class QPrintPreviewDialog;
class QWidget;

namespace kestrel::frame {
class CStatusMessage;
}
namespace kestrel::view {
class CKestrelDoc;
class CKestrelView;
}

namespace kestrel::printing {

// File Print, Print Preview and Print Setup of the document: one page with the document's
// picture, on a printer kept for the session so the page setup holds for the next print.
class CPrintController : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kPrintFailed = "Printing failed (StretchDIBits)!";

    CPrintController(view::CKestrelDoc& doc, view::CKestrelView& view, frame::CStatusMessage& status,
                     QWidget* dialogParent, QObject* parent = nullptr);

    // The print dialog for one page, then the page.
    void Print();
    // The preview window with the page; its Print button closes it and prints.
    void PrintPreview();
    // The page setup dialog on the session's printer.
    void PrintSetup();

    // One job without a dialog: a playing animation pauses meanwhile, the picture is drawn
    // (at the view's size for a preview, else filling the printable area) and printed. A page
    // that cannot be painted is reported in the status. False in that case.
    bool PrintTo(QPrinter& printer, bool preview);

    // Made on first use: a printer loads the print system's libraries, about twenty, which
    // a start that prints nothing need not wait for.
    QPrinter& Printer();
    // The view's size in pixels, which the picture's aspect ratio follows.
    PixelSize ViewSize() const;

    // Puts the preview's toolbar in order: Close, Print, Zoom In and Zoom Out with their
    // texts, no page stepping or page count (there is one page). Print runs `print`.
    static void RestylePreviewToolbar(QPrintPreviewDialog& dialog, const std::function<void()>& print);

private:
    void NameTheJob();

    view::CKestrelDoc& doc_;
    view::CKestrelView& view_;
    frame::CStatusMessage& status_;
    QWidget* dialogParent_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace kestrel::printing
